#include "StrToHtml.h"

#include <array>

namespace {

struct Table {
    std::array<EntityTable::Entry, EntityTable::kSize> entries{};
    std::array<QByteArray, EntityTable::kSize> numeric;
    // The first entry per character code, -1 for none.
    std::array<int, 256> first{};

    Table() {
        static const EntityTable::Entry named[] = {
            {34, "&quot;"},    {224, "&agrave;"}, {231, "&ccedil;"}, {233, "&eacute;"},
            {232, "&egrave;"}, {234, "&ecirc;"},  {249, "&ugrave;"}, {235, "&euml;"},
            {60, "&lt;"},      {62, "&gt;"},      {94, "&#136;"},    {126, "&#152;"}};
        int position = 0;
        for (const auto& entry : named)
            entries[position++] = entry;
        std::array<int, EntityTable::kSize> codes{};
        int count = 0;
        const auto add = [&](int from, int to) {
            for (int code = from; code <= to; ++code)
                codes[count++] = code;
        };
        add(163, 163), add(167, 167), add(176, 176), add(178, 179), add(181, 181);
        add(183, 183), add(188, 189), add(191, 191), add(192, 207), add(209, 214);
        add(217, 221), add(223, 223), add(224, 239), add(241, 247), add(249, 253);
        add(255, 255);
        for (int i = 0; i < count; ++i, ++position) {
            numeric[position] = "&#" + QByteArray::number(codes[i]) + ';';
            entries[position] = {char16_t(codes[i]), numeric[position].constData()};
        }
        first.fill(-1);
        for (int i = EntityTable::kSize - 1; i >= 0; --i)
            first[entries[i].character] = i;
    }
};

const Table& TheTable() {
    static const Table table;
    return table;
}

} // namespace

const EntityTable::Entry& EntityTable::At(int position) {
    return TheTable().entries.at(position);
}

const char* EntityReference(char32_t character) {
    if (character >= 256)
        return nullptr;
    const int index = TheTable().first[character];
    return index < 0 ? nullptr : TheTable().entries[index].reference;
}

QString CharToHtml(char32_t character) {
    if (const char* reference = EntityReference(character))
        return QString::fromLatin1(reference);
    return QString::fromUcs4(&character, 1);
}

QString HtmlToText(const QString& text) {
    QString result;
    result.reserve(text.size());
    for (const QChar c : text) {
        if (const char* reference = EntityReference(c.unicode()))
            result += QLatin1String(reference);
        else
            result += c;
    }
    return result;
}

QString TextToHtml(const QString& text) {
    QString result = text;
    for (const EntityTable::Entry& entry : TheTable().entries)
        result.replace(QLatin1String(entry.reference), QChar(entry.character), Qt::CaseInsensitive);
    return result;
}
