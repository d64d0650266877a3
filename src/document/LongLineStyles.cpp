#include "LongLineStyles.h"

#include "StyleRuns.h"

namespace {

// Shorter lines are laid out fast enough as they are.
constexpr long kLongLine = 4096;

} // namespace

long LongLineStyles::StylesLinesFrom() const {
    return kLongLine;
}

void LongLineStyles::LineStyled(const char* utf8, unsigned char* styles, int length) {
    SplitLongStyleRuns(utf8, styles, length);
}
