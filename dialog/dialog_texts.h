#pragma once
// Every text the help window shows, code for code: the blanks, the line breaks and the
// Cyrillic letters are part of the design and must not be tidied up.

#include <QStringView>

namespace tracewell::dialog::texts {

inline constexpr QStringView kCaption = u"Справка";

// The program's name and version: the main window's caption, and the help's name line
// behind one blank.
inline constexpr QStringView kProgramTitle = u"Tracewell v3.1";

// Ends with five blanks, as designed.
inline constexpr QStringView kInstructions =
    u"Программа для построения графиков математических функций. Функция вводится в "
    u"текстовое поле, где по умолчанию отображается sin(x). Фукция вводится в соответствии с "
    u"синтаксисом языка програмирования VB6 (образец справа). С пожеланиями и предложениями "
    u"обращайтесь:     ";

// The runs of blanks pad each entry so the fixed-pitch font wraps one entry to a line.
// The first letter of "сos(x)" is the Cyrillic с (U+0441), as designed.
inline constexpr QStringView kFunctionList =
    u"Основные функции: sin(x),\u0441os(x),  tan(x)-tgx,    atn(x)-arctgx, log(x)-lnx,    "
    u"exp(x)-e^x,  abs(x)-|x|, sqr(x)-корень  +,-,*,/,^.\r\n";

// The addresses are short: Label2 does not break a word, and its width is fixed.
inline constexpr QStringView kContacts = u"E-mail:tr@example.org\r\nUrl:tr.example.org";

inline constexpr QStringView kCredits = u"Автор — команда Tracewell © twteam";

inline constexpr QStringView kSiteButton = u"На сайт";

inline constexpr QStringView kOkButton = u"OK";

// Shown when the browser or the window itself cannot be started.
inline constexpr QStringView kFailureCaption = u"Tracewell";
inline constexpr QStringView kBrowserFailed = u"Не удалось открыть сайт в браузере.";
inline constexpr QStringView kShowFailed = u"Не удалось открыть окно справки.";

}  // namespace tracewell::dialog::texts
