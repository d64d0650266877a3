#pragma once

#include <QString>

// The HTML that the object insert dialogs put into a document, built from the
// values the user typed. Typed values go in exactly as typed: nothing is
// escaped or checked, and empty values are allowed.

// A link: <a href="url">name</a>, with target="_blank" when it opens in a new
// window.
QString LinkHtml(const QString& url, const QString& name, bool newWindow);

// A mail link: <a href="mailto:address">name</a>.
QString MailLinkHtml(const QString& address, const QString& name);

// An image: <img src="source">, with " border=0" when it has no border.
QString ImageHtml(const QString& source, bool noBorder);

// The address the Flash object downloads its player from, and the page that
// offers the browser plug-in.
inline constexpr char kFlashCodebase[] =
    "http://download.quillon-plugins.net/flash2/cabs/swflash.cab#version=4,0,0,0";
inline constexpr char kFlashPluginsPage[] =
    "http://www.quillon-plugins.net/shockwave/download/index.cgi?P1_Prod_Version=ShockwaveFlash";

// A Flash movie as an <object> with an <embed> inside, nine lines, each
// followed by CR LF. Width and height go into the <object> tag only when both
// are above zero.
QString FlashHtml(const QString& movie, int width, int height, bool loop);

// A horizontal rule: <hr size=S width=W% color=#RRGGBB> (unquoted; "%" only
// when the width is in percent).
QString HorizontalLineHtml(const QString& size, const QString& width, bool percent, qint32 color);

// Which part of the date and time the date dialog inserts.
enum class DateTimeChoice { Date, Time, DateAndTime };

// The date text, the time text, or both joined by one blank.
QString DateTimeText(DateTimeChoice choice, const QString& date, const QString& time);

// The file name of a path without its folder.
QString BareFileName(const QString& path);
