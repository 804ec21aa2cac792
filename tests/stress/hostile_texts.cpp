#include "hostile_texts.h"

#include <QStringList>

namespace tracewell::stress {
namespace {

const QStringList& fixedTexts() {
    static const QStringList texts = {
        // Empty, blanks, tabs and control characters.
        "", " ", "   ", "\t", "\tsin(x)", " sin(x)", "sin(x) ", "sin (x)", "x + 1",
        QString("x") + QChar(0) + "+1", QString(QChar(0)), "x\r\n1", QString(QChar(0x7f)),
        // Beyond ASCII: Cyrillic (one letter looks like x), symbols, an emoji, a lone surrogate.
        QString::fromUtf8("синус(x)"), QString::fromUtf8("х"), QString::fromUtf8("x+х"),
        QString::fromUtf8("x²"), QString::fromUtf8("x·2"), QString::fromUtf8("\xF0\x9F\x98\x80"),
        QString(QChar(0xD800)) + "x",
        // Numbers beyond every range.
        "1E400", "-1E400", "1E-400", "&HFFFFFFFFF", "&HFFFF", "&H8000", "&O7777777777777777",
        "1E308*10", "1E38*x", "3.4E38*x*x", ".5", "5.", "1e", "&H", "&", "1.2.3",
        // Every operator, with and without blanks.
        "x+1-2*3/4\\5^2", "x Mod 3", "xMod3", "x&x", "x=x", "x<>1", "x<=1", "x>=1", "x<1", "x>1",
        "Not x", "x And 1", "x Or 0", "x Xor 1", "x Eqv 1", "x Imp 0", "x Is x", "-x", "+x", "--x",
        "x^-x", "-x^2", "x^x^x^x^x", "10^x^10", "0^-1", "x++++x", "x+", "+",
        // Comparison chains.
        "x<1<2<3", "1<x<2=x>=3<>4", "x=x=x=x", "(x<1)*(x>-1)",
        // Unknown names and broken calls.
        "foo(x)", "y", "X", "Sin(x)", "SIN(x)", "sinh(x)", "sin()", "sin(x,x)", "sin", "x(1)",
        "Nothing", "Null", "Empty", "True", "True+x", "Me", "x_", "_x", "x!", "x@", "x$", "x#", "?",
        "~x", "'", "\"", "\"x\"", "x'note", ":", "x:x", "x.x", "x,x", "#1/1/2000#", "[x]", "{x}",
        "(", ")", "((x)", "x)", "sin(x",
        // Domains, overflows and conversions.
        "log(x)", "log(0)", "1/0", "0/0", "x/0", "tan(x)*1E30", "exp(x*100)", "exp(x)", "sqr(x)",
        "sqr(-x)", "sqr(x)+sqr(-x)", "(-8)^(1/3)", "x\\0", "x Mod 0", "CInt(40000)",
        "CInt(x*10000)", "CLng(x*1E10)", "atn(x)/0", "fix(x)", "int(x)", "round(x,400)", "rnd(x)",
        "sgn(x)", "abs(-x)", "cos(x)/sin(x)", "1/(x-x)", "2^1024", "-2^1024*x"};
    return texts;
}

QString nested(const QString& open, const QString& inner, const QString& close, int depth) {
    return open.repeated(depth) + inner + close.repeated(depth);
}

QString garbage(std::mt19937& rng) {
    const int length = 1 + static_cast<int>(rng() % 80);
    QString s;
    for (int i = 0; i < length; ++i) {
        // Mostly printable ASCII, now and then a control character or a letter beyond ASCII.
        const unsigned kind = rng() % 100;
        if (kind < 90)
            s += QChar(static_cast<char16_t>(32 + rng() % 95));
        else if (kind < 95)
            s += QChar(static_cast<char16_t>(rng() % 32));
        else
            s += QChar(static_cast<char16_t>(0x80 + rng() % 0xD700));  // below the surrogates
    }
    return s;
}

}  // namespace

QString hostileText(std::mt19937& rng) {
    // Now and then what a user means to plot, so that plots with curves come often too.
    static const QStringList everyday = {
        "sin(x)", "cos(x)*2", "x^2",       "x^3-x",  "sqr(x)",     "1/x",
        "tan(x)", "abs(x)-1", "exp(-x^2)", "log(x)", "sin(x)/x",   "int(x)",
        "x",      "-x",       "2",         "atn(x)", "sgn(x)*x^2", "x Mod 2"};
    const QStringList& fixed = fixedTexts();
    const int depth = 1 + static_cast<int>(rng() % 9000);
    switch (rng() % 20) {
        case 0:
            return "x" + QString("+x").repeated(16383);  // exactly the box's 32,767
        case 1:
            return QString("x+").repeated(20000);  // more than the box keeps
        case 2:
            return nested("(", "x", ")", 10000);
        case 3:
            return nested("sin(", "x", ")", 10000);  // cut short by the box
        case 4:
            return QString("Not ").repeated(depth) + "x";
        case 5:
            return nested("Not(", "x", ")", depth);
        case 6:
            return QString("-").repeated(depth) + "x";
        case 7:
            return QString("9").repeated(400);
        case 8:
            return nested("(", "x", ")",
                          495 + static_cast<int>(rng() % 11));  // around the nesting limit
        case 9:
            return nested("abs(", "x", ")", 495 + static_cast<int>(rng() % 11));
        case 10:
        case 11:
            return garbage(rng);
        case 12:
        case 13:
        case 14:
        case 15:
            return everyday[rng() % everyday.size()];
        default:
            return fixed[rng() % fixed.size()];
    }
}

bool typeable(const QString& text) {
    if (text.size() > 64) return false;
    for (QChar c : text)
        if (c.unicode() < 32 || c.unicode() > 126) return false;
    return true;
}

}  // namespace tracewell::stress
