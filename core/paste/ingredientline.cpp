#include "core/paste/ingredientline.h"

#include "core/analysis/quantity.h"
#include "core/numbers.h"
#include "core/paste/eachfood.h"

#include <QHash>
#include <QRegularExpression>

#include <algorithm>
#include <cmath>

namespace zestora::paste {

namespace {

// Vulgar fractions as a cook types them; a digit before one is its whole part ("1½").
QString plainFractions(QStringView text)
{
    static const QHash<QChar, QString> fractions{
        {QChar(0x00BD), QStringLiteral("1/2")}, {QChar(0x2153), QStringLiteral("1/3")},
        {QChar(0x2154), QStringLiteral("2/3")}, {QChar(0x00BC), QStringLiteral("1/4")},
        {QChar(0x00BE), QStringLiteral("3/4")}, {QChar(0x215B), QStringLiteral("1/8")},
        {QChar(0x215C), QStringLiteral("3/8")}, {QChar(0x215D), QStringLiteral("5/8")},
        {QChar(0x215E), QStringLiteral("7/8")}, {QChar(0x2155), QStringLiteral("1/5")},
        {QChar(0x2159), QStringLiteral("1/6")}, {QChar(0x215A), QStringLiteral("5/6")},
    };
    QString result;
    result.reserve(text.size() + 8);
    for (const QChar c : text) {
        if (const auto fraction = fractions.constFind(c); fraction != fractions.cend()) {
            if (!result.isEmpty() && result.back().isDigit())
                result += u' ';
            result += *fraction;
        } else if (c == QChar(0x2044) || c == QChar(0x2215)) {
            result += u'/'; // fraction slash, division slash
        } else if (c == QChar(0x2013) || c == QChar(0x2014) || c == QChar(0x2212)) {
            result += u'-'; // en and em dashes, minus
        } else if (c == QChar(0x00A0) || c == u'\t') {
            result += u' ';
        } else {
            result += c;
        }
    }
    // A fraction copied out of a laid-out page keeps the gaps its typesetting left beside the
    // slash: "1 ⁄2 cup", "2 ⁄ 3 cup" are still one half and two thirds to the cook.
    static const QRegularExpression spacedSlash(QStringLiteral("(?<=\\d) *\\/ *(?=\\d)"));
    result.replace(spacedSlash, QStringLiteral("/"));
    return result;
}

// A mixed number's whole part and fraction stand apart, joined by a hyphen, or by "and" as
// British and New Zealand recipes write "1 and 1/2 cups".
// A figure may carry an exponent, as spreadsheets write huge ones ("1e20"): it is that figure, and
// too large for any measure, not a one followed by a word "e20".
const QString amountPattern = QStringLiteral("(?:\\d+(?:\\s+and\\s+|\\s+|-)\\d+/\\d+|\\d+/\\d+|"
                                             "(?:\\d+(?:\\.\\d+)?|\\.\\d+)(?:[eE][+-]?\\d+)?)");

// A mixed number printed without its space, as web pages and scans run "1 1/2" together into
// "11/2": no cook writes eleven halves, so a last digit under a kitchen denominator is the
// fraction and the digits before it the whole part. "11/16" and "10/4" stay what they say.
std::optional<double> runTogetherMixed(const QString& numerator, const QString& denominator)
{
    static const QStringList kitchenDenominators{QStringLiteral("2"), QStringLiteral("3"),
                                                 QStringLiteral("4"), QStringLiteral("8")};
    if (numerator.size() < 2 || !kitchenDenominators.contains(denominator))
        return std::nullopt;
    const int part = numerator.back().digitValue();
    const int over = denominator.toInt();
    if (part <= 0 || part >= over)
        return std::nullopt;
    return numerator.chopped(1).toDouble() + double(part) / over;
}

// A fraction over nothing ("1 1/0") is no amount: NaN, which no reader takes as one.
double amountValue(QStringView text)
{
    static const QRegularExpression mixed(
        QStringLiteral("^(\\d+)(?:\\s+and\\s+|\\s+|-)(\\d+)/(\\d+)$"));
    static const QRegularExpression fraction(QStringLiteral("^(\\d+)/(\\d+)$"));
    const QString t = text.trimmed().toString();
    if (const QRegularExpressionMatch m = mixed.match(t); m.hasMatch()) {
        const double denominator = m.captured(3).toDouble();
        return denominator > 0 ? m.captured(1).toDouble() + m.captured(2).toDouble() / denominator
                               : std::nan("");
    }
    if (const QRegularExpressionMatch m = fraction.match(t); m.hasMatch()) {
        if (const std::optional<double> mixed = runTogetherMixed(m.captured(1), m.captured(2)))
            return *mixed;
        const double denominator = m.captured(2).toDouble();
        return denominator > 0 ? m.captured(1).toDouble() / denominator : std::nan("");
    }
    return t.toDouble();
}

// Numbers a cook spells out at the start of a line: "a pinch", "one 14-ounce can".
std::optional<double> wordNumber(const QString& word)
{
    static const QHash<QString, double> numbers{
        {QStringLiteral("a"), 1},       {QStringLiteral("an"), 1},
        {QStringLiteral("one"), 1},     {QStringLiteral("two"), 2},
        {QStringLiteral("three"), 3},   {QStringLiteral("four"), 4},
        {QStringLiteral("five"), 5},    {QStringLiteral("six"), 6},
        {QStringLiteral("seven"), 7},   {QStringLiteral("eight"), 8},
        {QStringLiteral("nine"), 9},    {QStringLiteral("ten"), 10},
        {QStringLiteral("eleven"), 11}, {QStringLiteral("twelve"), 12},
        {QStringLiteral("dozen"), 12},  {QStringLiteral("half"), 0.5},
    };
    const auto found = numbers.constFind(word.toLower());
    return found == numbers.cend() ? std::nullopt : std::optional(*found);
}

struct Cursor {
    QString text;
    qsizetype at = 0;

    QStringView rest() const { return QStringView(text).sliced(at); }
    // Reads through at(): a non-const [] would detach the text from the cursors that share it,
    // copying the line each time and freeing the buffer their matches point into.
    void skipBlanks()
    {
        while (at < text.size() && text.at(at).isSpace())
            ++at;
    }
    // The next run of letters and full stops, without moving.
    QStringView peekWord() const
    {
        qsizetype end = at;
        while (end < text.size() && (text[end].isLetter() || text[end] == u'.'))
            ++end;
        return QStringView(text).sliced(at, end - at);
    }
};

QString readUnit(Cursor& cursor);

// The sizes a count of pieces is written with: "1 large clove garlic", "2 small onions".
bool isPieceSize(const QString& unit)
{
    return unit == QLatin1String("large") || unit == QLatin1String("medium") ||
           unit == QLatin1String("small");
}

// "Half a cup", "1/2 a 500g jar", "half an onion": the article after a part of one goes with it.
void skipArticle(Cursor& cursor)
{
    static const QRegularExpression article(QStringLiteral("^\\s+an?(?=\\s)"),
                                            QRegularExpression::CaseInsensitiveOption);
    if (const QRegularExpressionMatch m = article.match(cursor.rest()); m.hasMatch())
        cursor.at += m.capturedLength(0);
}

// An amount or a range of two at the cursor, a range as its middle: "2 to 3 cups" is 2 1/2, as
// pasting has always read it. The range as written goes to *range, so that the line can say so.
std::optional<double> readAmount(Cursor& cursor, QString* range = nullptr)
{
    static const QRegularExpression amounts(
        QStringLiteral("^(%1)(?:\\s*(?:-|to|or)\\s*(%1))?(?![\\d%/])").arg(amountPattern));
    const QRegularExpressionMatch m = amounts.match(cursor.rest());
    if (m.hasMatch()) {
        double value = amountValue(m.capturedView(1));
        if (m.hasCaptured(2)) {
            value = (value + amountValue(m.capturedView(2))) / 2;
            if (range)
                *range = m.captured(0);
        }
        cursor.at += m.capturedLength(0);
        if (value < 1)
            skipArticle(cursor);
        return value;
    }
    const QStringView word = cursor.peekWord();
    if (word.isEmpty() || word.contains(u'.'))
        return std::nullopt;
    const std::optional<double> number = wordNumber(word.toString());
    if (!number)
        return std::nullopt;
    Cursor after{cursor.text, cursor.at + word.size()};
    if (after.at >= after.text.size() || !after.text.at(after.at).isSpace())
        return std::nullopt; // "One-pot pasta"
    // "A" and "an" count only before a unit or a size: "a pinch of salt", "a 15-oz. can of
    // beans", not "A simple cake".
    if (word.size() <= 2) {
        after.skipBlanks();
        static const QRegularExpression size(QStringLiteral("^\\d[\\d./]*\\s*-?\\s*(?=\\D)"));
        if (const QRegularExpressionMatch m = size.match(after.rest()); m.hasMatch())
            after.at += m.capturedLength(0);
        if (readUnit(after).isEmpty())
            return std::nullopt;
    }
    cursor.at += word.size();
    if (word.compare(QLatin1String("half"), Qt::CaseInsensitive) == 0)
        skipArticle(cursor);
    return number;
}

// An amount worked out from the line, written back in full for the amount reader: never with an
// exponent it would stop at ("2e+50 pieces" would read as two, where an amount past any measure
// must say it is too large), with no trailing zeros.
QString writtenInFull(double amount)
{
    QString written = QString::number(amount, 'f', 3);
    while (written.endsWith(u'0'))
        written.chop(1);
    if (written.endsWith(u'.'))
        written.chop(1);
    return written;
}

// "An onion, finely chopped", "a smoked chicken", "juice of a lemon": an article before the food
// is one of it, as "1 onion" is. Not before a measure no unit names ("a squeeze of lemon", "a good
// glug of oil"), which would count a whole lemon or a whole bottle.
std::optional<double> readArticleAsOne(Cursor& cursor)
{
    static const QRegularExpression article(
        QStringLiteral("^an?\\s+(?=[A-Za-z])(?!(?:[A-Za-z'-]+\\s+){0,2}of\\b)"),
        QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch m = article.match(cursor.rest());
    if (!m.hasMatch())
        return std::nullopt;
    cursor.at += m.capturedLength(0);
    return 1;
}

// A unit word at the cursor (with "fl oz", "fluid ounce", "dessert spoon" and "extra large" of two
// words), moving past it.
QString readUnit(Cursor& cursor)
{
    static const std::pair<QRegularExpression, QString> twoWords[] = {
        {QRegularExpression(
             QStringLiteral("^(?:fl\\.?\\s*oz\\.?|fluid\\s+ounces?|fluid\\s+oz\\.?)(?![A-Za-z])"),
             QRegularExpression::CaseInsensitiveOption),
         QStringLiteral("fl oz")},
        {QRegularExpression(QStringLiteral("^dessert[\\s-]+spoons?(?![A-Za-z])"),
                            QRegularExpression::CaseInsensitiveOption),
         QStringLiteral("dessertspoon")},
        {QRegularExpression(QStringLiteral("^(?:extra[\\s-]*large|x-?large|xl)\\.?(?![A-Za-z])"),
                            QRegularExpression::CaseInsensitiveOption),
         QStringLiteral("extra large")},
    };
    // Old recipe cards write a pound as "#": "2# potatoes", but "#2" is a can's number.
    static const QRegularExpression pound(QStringLiteral("^#(?![\\s#]*\\d)"));
    if (const QRegularExpressionMatch m = pound.match(cursor.rest()); m.hasMatch()) {
        cursor.at += m.capturedLength(0);
        return QStringLiteral("lb");
    }
    for (const auto& [pattern, unit] : twoWords) {
        if (const QRegularExpressionMatch m = pattern.match(cursor.rest()); m.hasMatch()) {
            cursor.at += m.capturedLength(0);
            return unit;
        }
    }
    // A size by a country's grading: "US large", "UK medium".
    static const QRegularExpression graded(
        QStringLiteral("^(?:US|UK|EU)\\s+(?=(?:extra[\\s-]*large|jumbo|large|medium|small)\\b)"));
    if (const QRegularExpressionMatch m = graded.match(cursor.rest()); m.hasMatch()) {
        Cursor after{cursor.text, cursor.at + m.capturedLength(0)};
        if (const QString unit = readUnit(after); !unit.isEmpty()) {
            cursor.at = after.at;
            return unit;
        }
    }
    static const QRegularExpression adjectives(
        QStringLiteral("^(?:heaping|heaped|level|scant|generous|rounded|round|good|big|extra|"
                       "(?:(?:firmly|lightly|loosely|tightly)[\\s-]+)?packed)[\\s-]+"),
        QRegularExpression::CaseInsensitiveOption);
    // Read in a loop, not by calling this again: a line of nothing but such words would run out
    // of stack.
    if (adjectives.match(cursor.rest()).hasMatch()) {
        Cursor after = cursor;
        for (QRegularExpressionMatch m = adjectives.match(after.rest()); m.hasMatch();
             m = adjectives.match(after.rest()))
            after.at += m.capturedLength(0);
        if (const QString unit = readUnit(after); !unit.isEmpty()) {
            cursor.at = after.at;
            return unit;
        }
    }
    // Whole words only: "t salt" is a teaspoon, "tomatoes" no unit.
    const QStringView word = cursor.peekWord();
    const QString unit = unitNamed(word);
    if (!unit.isEmpty())
        cursor.at += word.size();
    return unit;
}

// A second package the same size may come in, "1 (12 fluid ounce) can or bottle beer": not a
// food, so the cursor passes it.
void skipOtherPackage(Cursor& cursor)
{
    static const QRegularExpression other(QStringLiteral("^\\s+or\\s+"),
                                          QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch m = other.match(cursor.rest());
    Cursor next{cursor.text, cursor.at + m.capturedLength(0)};
    if (m.hasMatch() && isPackage(readUnit(next)))
        cursor = next;
}

// A package size at the cursor, "(14 oz)", "(14.5-ounce)" or "14-ounce", which the count before
// it multiplies; the package word after it goes with it. A size joined to its unit by a hyphen
// is the size of each piece even without a package: "4 6-ounce salmon fillets", and so is a
// weight after a count: "a 2kg leg of lamb", "4 8oz steaks".
std::optional<std::pair<double, QString>> readSize(Cursor& cursor, QString* packageWord)
{
    static const QRegularExpression size(
        QStringLiteral("^(\\()?\\s*(?:about\\s+|approx\\.?\\s+|or\\s+)?(%1)"
                       "(?:\\s*-?\\s*(?:to|-)\\s*(%1))?\\s*(-?)\\s*(?=[A-Za-z])")
            .arg(amountPattern),
        QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch m = size.match(cursor.rest());
    if (!m.hasMatch())
        return std::nullopt;
    Cursor after{cursor.text, cursor.at + m.capturedLength(0)};
    const QString unit = readUnit(after);
    if (!isMeasure(unit))
        return std::nullopt;
    after.skipBlanks();
    if (m.hasCaptured(1)) {
        // "(28 oz can)": the package word may stand inside the brackets with the size.
        Cursor inside = after;
        if (const QString word = readUnit(inside); isPackage(word)) {
            inside.skipBlanks();
            if (inside.rest().startsWith(u')')) {
                after = inside;
                *packageWord = word;
            }
        }
        if (!after.rest().startsWith(u')'))
            return std::nullopt;
        ++after.at;
    }
    after.skipBlanks();
    // The package the size is of: "can", "package", "jar", ...
    Cursor package = after;
    if (const QString word = readUnit(package); isPackage(word)) {
        skipOtherPackage(package);
        after = package;
        *packageWord = word;
    } else if (!m.hasCaptured(1) && m.capturedView(4).isEmpty() &&
               unitClass(unit) != UnitClass::Weight) {
        return std::nullopt; // "2 cups" after a count is no size of the pieces
    }
    // The match points into the cursor's text: read it before the cursor takes another.
    // "(7- to 8-pound)": a range of sizes is its middle, as a range of amounts is.
    const double amount =
        m.hasCaptured(3) ? (amountValue(m.capturedView(2)) + amountValue(m.capturedView(3))) / 2
                         : amountValue(m.capturedView(2));
    cursor = after;
    return std::pair{amount, unit};
}

// The ounces a can holds by the number of its size, as old recipes give it: "1 #2 can", "1 No.
// 303 can", the number in brackets before or after the can ("1 (No. 2) can", "1 can (No. 2)").
std::optional<double> canNumber(Cursor& cursor)
{
    static const QString size = QStringLiteral("(?:#|no\\.?)\\s*(\\d+(?:\\s+1/2)?)");
    static const QRegularExpression number(
        QStringLiteral("^(?:\\(\\s*%1\\s*\\)|%1)\\s*(?:cans?|tins?)\\b\\.?|"
                       "^(?:cans?|tins?)\\.?\\s*\\(\\s*%1\\s*\\)")
            .arg(size),
        QRegularExpression::CaseInsensitiveOption);
    static const QHash<QString, double> ounces{
        {QStringLiteral("1"), 11},   {QStringLiteral("2"), 20},   {QStringLiteral("2 1/2"), 28},
        {QStringLiteral("300"), 15}, {QStringLiteral("303"), 16}, {QStringLiteral("10"), 106},
    };
    const QRegularExpressionMatch m = number.match(cursor.rest());
    // One of the three forms matched: its number is the one group captured.
    const QString said = m.captured(1) + m.captured(2) + m.captured(3);
    const auto found = m.hasMatch() ? ounces.constFind(said.simplified()) : ounces.cend();
    if (found == ounces.cend())
        return std::nullopt;
    cursor.at += m.capturedLength(0);
    return *found;
}

// How many of the smaller unit one of the larger holds, of a unit and itself or a larger one of
// its system (American spoons and cups); none for two units no kitchen steps from one to the other.
std::optional<double> unitsIn(const QString& larger, const QString& smaller)
{
    static const QHash<QString, std::pair<QString, double>> nextUp{
        {QStringLiteral("ml"), {QStringLiteral("l"), 1000}},
        {QStringLiteral("g"), {QStringLiteral("kg"), 1000}},
        {QStringLiteral("oz"), {QStringLiteral("lb"), 16}},
        {QStringLiteral("tsp"), {QStringLiteral("tbs"), 3}},
        {QStringLiteral("tbs"), {QStringLiteral("cup"), 16}},
    };
    double count = 1;
    for (QString unit = smaller; unit != larger;) {
        const auto up = nextUp.constFind(unit);
        if (up == nextUp.cend())
            return std::nullopt;
        count *= up->second;
        unit = up->first;
    }
    return count;
}

// The unit after the amount, with what goes with it: a package's size ("1 (14 oz) can", "1 can
// (15 oz)", "400g tin"), a second amount it multiplies ("2 x 400g tins") and the same amount in
// other units ("200 g / 7 oz"), which is left out.
void readUnitAndSize(Cursor& cursor, IngredientLine& line)
{
    static const QRegularExpression times(QStringLiteral("^[x\\x{00D7}*]\\s*(?=[\\d.])"),
                                          QRegularExpression::CaseInsensitiveOption);
    cursor.skipBlanks();
    if (const QRegularExpressionMatch m = times.match(cursor.rest()); m.hasMatch()) {
        Cursor second{cursor.text, cursor.at + m.capturedLength(0)};
        if (const std::optional<double> factor = readAmount(second)) {
            line.quantity = *line.quantity * *factor;
            cursor = second;
            cursor.skipBlanks();
        }
    }
    // "1 doz. eggs" are twelve.
    static const QRegularExpression dozen(QStringLiteral("^(?:dozens?|doz)\\.?\\s+(?=\\S)"),
                                          QRegularExpression::CaseInsensitiveOption);
    if (const QRegularExpressionMatch m = dozen.match(cursor.rest()); m.hasMatch()) {
        line.quantity = *line.quantity * 12;
        cursor.at += m.capturedLength(0);
    }
    if (const auto size = canNumber(cursor)) {
        line.quantity = *line.quantity * *size;
        line.unit = QStringLiteral("oz");
        line.package = QStringLiteral("can");
        return;
    }
    static const QRegularExpression roughly(QStringLiteral("^\\(\\s*(?:about|approx)\\b"),
                                            QRegularExpression::CaseInsensitiveOption);
    const bool rough = roughly.match(cursor.rest()).hasMatch();
    if (const auto size = readSize(cursor, &line.package)) {
        if (rough && line.package.isEmpty())
            line.roughlyWeighedPieces = *line.quantity;
        line.piecesWeighed = line.package.isEmpty() && unitClass(size->second) == UnitClass::Weight;
        line.quantity = *line.quantity * size->first;
        line.unit = size->second;
        return;
    }
    // "Each" (and MealMaster's "ea" and "x", per serving) say no more than the number.
    static const QRegularExpression each(QStringLiteral("^(?:each|ea|x)\\.?\\s+(?=[A-Za-z])"),
                                         QRegularExpression::CaseInsensitiveOption);
    if (const QRegularExpressionMatch m = each.match(cursor.rest()); m.hasMatch()) {
        cursor.at += m.capturedLength(0);
        return;
    }
    // "3 thin slices ham", "2 fresh sprigs thyme", "1 whole head garlic": words describing the
    // pieces stand between the count and its unit, and go on to the food.
    static const QRegularExpression describingPieces(
        QStringLiteral("^((?:(?:thin|thick|thinly|thickly|fresh|lean|ripe|smoked|unsmoked|"
                       "streaky|boneless|skinless|whole)[\\s,]+)+)(?=[A-Za-z])"),
        QRegularExpression::CaseInsensitiveOption);
    if (const QRegularExpressionMatch m = describingPieces.match(cursor.rest()); m.hasMatch()) {
        Cursor after{cursor.text, cursor.at + m.capturedLength(0)};
        const qsizetype unitAt = after.at;
        const QString unit = readUnit(after);
        const QString unitWord = after.text.sliced(unitAt, after.at - unitAt);
        after.skipBlanks();
        if (unitClass(unit) == UnitClass::Count && !unitWord.isEmpty() && !after.rest().isEmpty() &&
            after.rest().front().isLetter())
            cursor = Cursor{unitWord + u' ' + m.captured(1) + after.rest()};
    }
    // "2 cl garlic", as cards and recipe-program files shorten a clove: no centilitre of garlic.
    static const QRegularExpression garlicNext(QStringLiteral("^\\s*garlic\\b"),
                                               QRegularExpression::CaseInsensitiveOption);
    const auto readCountedUnit = [](Cursor& at) {
        QString unit = readUnit(at);
        if (unit == QLatin1String("cl") && garlicNext.match(at.rest()).hasMatch())
            unit = QStringLiteral("clove");
        return unit;
    };
    line.unit = readCountedUnit(cursor);
    // "2 medium-large onions", "1 small to medium onion", "small-to-medium": a size between two.
    static const QRegularExpression largerSize(
        QStringLiteral("^\\s*(?:-?\\s*(?:to|or)\\s*-?|-|/)\\s*(medium|large)\\b"),
        QRegularExpression::CaseInsensitiveOption);
    if (const QRegularExpressionMatch m = largerSize.match(cursor.rest());
        (line.unit == QLatin1String("small") || line.unit == QLatin1String("medium")) &&
        m.hasMatch() && m.captured(1).toLower() != line.unit) {
        line.largerSize = m.captured(1).toLower();
        cursor.at += m.capturedLength(0);
    }
    // "1x15ml spoon (1 tablespoon) oil": a spoon of so many millilitres, as British school and
    // health recipes measure.
    static const QRegularExpression spoon(QStringLiteral("^\\s*spoons?\\b"),
                                          QRegularExpression::CaseInsensitiveOption);
    if (const QRegularExpressionMatch m = spoon.match(cursor.rest());
        m.hasMatch() && line.unit == QLatin1String("ml"))
        cursor.at += m.capturedLength(0);
    if (const auto part = partOfHeldUnit(line.unit)) {
        line.quantity = *line.quantity * part->first;
        line.unit = part->second;
    }
    cursor.skipBlanks();
    // "1 large clove garlic", "1 large can (28 oz)": the count word after the size is the unit.
    if (isPieceSize(line.unit)) {
        Cursor after = cursor;
        if (const QString next = readCountedUnit(after); unitClass(next) == UnitClass::Count) {
            line.size = line.unit;
            line.unit = next;
            cursor = after;
            cursor.skipBlanks();
        }
    }
    const UnitClass kind = unitClass(line.unit);
    if (kind == UnitClass::Volume || kind == UnitClass::Weight) {
        // "850ml-1.2litres", "500g-1kg": a range with a unit at each end is its middle, in the
        // unit of the first.
        static const QRegularExpression secondEnd(
            QStringLiteral("^(?:-|to\\s)\\s*(%1)\\s*").arg(amountPattern),
            QRegularExpression::CaseInsensitiveOption);
        if (const QRegularExpressionMatch m = secondEnd.match(cursor.rest()); m.hasMatch()) {
            Cursor end{cursor.text, cursor.at + m.capturedLength(0)};
            if (const std::optional<double> per = unitsIn(readUnit(end), line.unit)) {
                line.quantity = (*line.quantity + amountValue(m.capturedView(1)) * *per) / 2;
                line.measures =
                    QStringLiteral("the middle of %1").arg(end.text.first(end.at).trimmed());
                cursor = end;
                cursor.skipBlanks();
            }
        }
        // "1 lb. 4 oz.", "1lb 2oz", "1 cup 2 tbsp": a smaller unit of the same system right after
        // the larger one is part of the same amount, as a scale or a cook's measures read it.
        static const QRegularExpression nextAmount(
            QStringLiteral("^(%1)\\s*(?=[A-Za-z])").arg(amountPattern));
        if (const QRegularExpressionMatch m = nextAmount.match(cursor.rest()); m.hasMatch()) {
            Cursor smaller{cursor.text, cursor.at + m.capturedLength(0)};
            const QString smallerUnit = readUnit(smaller);
            if (const std::optional<double> per = unitsIn(line.unit, smallerUnit);
                per && smallerUnit != line.unit) {
                line.quantity = *line.quantity + amountValue(m.capturedView(1)) / *per;
                cursor = smaller;
                cursor.skipBlanks();
            }
        }
        // "2kg/4lb 8oz", "8oz/225g", "10fl oz/300ml": of the same amount in two systems the
        // metric one is the one weighed or measured out.
        static const QRegularExpression sameAmount(
            QStringLiteral("^(?:(/)|\\+|plus\\s)\\s*(%1)(?:\\s*-\\s*(%1))?\\s*-?\\s*"
                           "([A-Za-z]+\\.?(?:\\s*oz\\.?)?)"
                           "(?:\\s*%1\\s*-?\\s*(?:oz|ounces?)\\b\\.?)?\\s*")
                .arg(amountPattern),
            QRegularExpression::CaseInsensitiveOption);
        if (const QRegularExpressionMatch m = sameAmount.match(cursor.rest()); m.hasMatch()) {
            cursor.at += m.capturedLength(0);
            static const QStringList metric{QStringLiteral("g"), QStringLiteral("kg"),
                                            QStringLiteral("ml"), QStringLiteral("l")};
            Cursor second{m.captured(4)};
            const QString other = readUnit(second);
            if (m.hasCaptured(1) && !metric.contains(line.unit) && metric.contains(other)) {
                const double low = amountValue(m.capturedView(2));
                line.quantity = m.hasCaptured(3) ? (low + amountValue(m.capturedView(3))) / 2 : low;
                line.unit = other;
            } else if (const std::optional<double> per = unitsIn(line.unit, other);
                       !m.hasCaptured(1) && !m.hasCaptured(3) && per) {
                // "1 cup plus 2 tablespoons": the cook measures out both.
                line.quantity = *line.quantity + amountValue(m.capturedView(2)) / *per;
            }
        }
        // "4 cups (750 grams) cooked lamb": a weight in brackets is what the cook weighed.
        Cursor bracket = cursor;
        QString bracketPackage;
        if (const auto weighed = readSize(bracket, &bracketPackage);
            kind == UnitClass::Volume && weighed && bracketPackage.isEmpty() &&
            unitClass(weighed->second) == UnitClass::Weight && cursor.rest().startsWith(u'(')) {
            line.quantity = weighed->first;
            line.unit = weighed->second;
            cursor = bracket;
            cursor.skipBlanks();
        }
        Cursor package = cursor;
        if (const QString word = readUnit(package); isPackage(word)) {
            line.package = word;
            cursor = package;
            cursor.skipBlanks();
        }
    }
    if (isPackage(line.unit))
        line.package = line.unit;
    // "2 sticks plus 2 tablespoons butter": a measure added to a count of pieces is weighed
    // through the food, as an extra after it is.
    static const QRegularExpression plusMeasure(
        QStringLiteral("^plus\\s+(%1)\\s*(?=[A-Za-z])").arg(amountPattern),
        QRegularExpression::CaseInsensitiveOption);
    if (const QRegularExpressionMatch m = plusMeasure.match(cursor.rest());
        m.hasMatch() && kind == UnitClass::Count) {
        Cursor extra{cursor.text, cursor.at + m.capturedLength(0)};
        if (const QString unit = readUnit(extra); isMeasure(unit)) {
            line.extraAmount = amountValue(m.capturedView(1));
            line.extraUnit = unit;
            cursor = extra;
            cursor.skipBlanks();
        }
    }
    if (kind == UnitClass::Count && cursor.rest().startsWith(u'(')) {
        Cursor size = cursor;
        QString package;
        if (const auto bracketed = readSize(size, &package)) {
            // "4 large (700g) chicken thigh fillets": Australian magazines weigh all the pieces
            // a count and a size name in grams, where "2 large (8-ounce) potatoes" gives each one.
            const bool ofAll = isPieceSize(line.unit) && package.isEmpty() &&
                               (bracketed->second == QLatin1String("g") ||
                                bracketed->second == QLatin1String("kg"));
            line.quantity = ofAll ? bracketed->first : *line.quantity * bracketed->first;
            line.unit = bracketed->second;
            // "1 large (28 oz) can tomatoes" is a can, whatever its size is called.
            if (!package.isEmpty())
                line.package = package;
            cursor = size;
            return;
        }
    }
}

// A package's or a piece's size written after the food, as a note: "1 cn Tomato sauce (8 oz)",
// "2 cans beans (15 oz each)", "4 salmon fillets, about 140g each", "4 chicken breasts (about
// 1 1/2 pounds total)": whether it says it is each one's, or all of them together.
struct SizeNote {
    double amount = 0;
    QString unit;
    bool each = false;
    bool total = false;
    bool prepared = false; // the weight of the food made ready: "about 700 g diced pumpkin"
};

std::optional<SizeNote> sizeNote(const QString& note)
{
    static const QRegularExpression about(
        QStringLiteral("^(?:(?:about|around|roughly|approx\\.?|approximately)\\s+|~\\s*)"),
        QRegularExpression::CaseInsensitiveOption);
    // "4 chicken breasts, each about 6 ounces": "each" may come before the size as after it.
    static const QRegularExpression eachFirst(QStringLiteral("^each\\s+"),
                                              QRegularExpression::CaseInsensitiveOption);
    QString size = note;
    const bool eachBefore = size.contains(eachFirst);
    Cursor cursor{size.remove(eachFirst).remove(about)};
    const std::optional<double> amount = readAmount(cursor);
    if (!amount)
        return std::nullopt;
    cursor.skipBlanks();
    const QString unit = readUnit(cursor);
    // "about 140g/5oz each": the same size in the other system says nothing more; "about 1 1/2
    // pounds total" is the whole line's, as a size without "each" is.
    static const QRegularExpression rest(
        QStringLiteral("^\\s*(?:/"
                       "\\s*%1\\s*[A-Za-z]+\\.?)?\\s*(?:(?<each>each)|(?<total>total|in\\s+total|"
                       "altogether))?\\s*$")
            .arg(amountPattern),
        QRegularExpression::CaseInsensitiveOption);
    // "approx. 500g once trimmed", "about 700 g diced pumpkin", "about 500g peeled weight": the
    // weight once the cook has taken off what nobody eats, whatever the line bought.
    static const QRegularExpression prepared(
        QStringLiteral("^\\s*(?:/\\s*%1\\s*[A-Za-z]+\\.?)?\\s*(?:(?:once|when|after)\\s+)?"
                       "(?:trimmed|peeled|boned|de-?boned|podded|shelled|prepared|diced|cubed|"
                       "de-?seeded|seeded|cored|skinned|pitted|stoned|hulled)\\b")
            .arg(amountPattern),
        QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch m = rest.match(cursor.rest());
    if (!isMeasure(unit))
        return std::nullopt;
    if (!m.hasMatch())
        return prepared.match(cursor.rest()).hasMatch()
                   ? std::optional(SizeNote{*amount, unit, false, true, true})
                   : std::nullopt;
    return SizeNote{*amount, unit, eachBefore || m.hasCaptured(u"each"), m.hasCaptured(u"total")};
}

// Removes what stands in brackets, returning the bracketed texts. Each pass takes the innermost
// brackets in one sweep along the line; a few passes are as deep as cooks nest them.
QStringList takeBracketed(QString& text)
{
    static const QRegularExpression bracket(QStringLiteral("\\s*[(\\[]([^()\\[\\]]*)[)\\]]"));
    constexpr int deepest = 4;
    QStringList taken;
    for (int pass = 0; pass < deepest; ++pass) {
        QString rest;
        qsizetype kept = 0;
        for (const QRegularExpressionMatch& m : bracket.globalMatch(text)) {
            if (const QString inside = m.captured(1).trimmed(); !inside.isEmpty())
                taken.append(inside);
            rest += QStringView(text).sliced(kept, m.capturedStart(0) - kept);
            kept = m.capturedEnd(0);
        }
        if (kept == 0)
            break;
        text = rest + QStringView(text).sliced(kept);
    }
    return taken;
}

// The food's words and the notes about it, from what follows the amount and unit.
void readFoodAndNotes(QString rest, IngredientLine& line)
{
    // "2 sausages per person", "1 tsp cranberry sauce, per person, to serve": each diner's amount.
    static const QRegularExpression perPerson(
        QStringLiteral("[,;]?\\s*\\b(?:per|for\\s+each|each)\\s+(?:person|head|guest|diner|"
                       "portion)\\b"),
        QRegularExpression::CaseInsensitiveOption);
    if (const QRegularExpressionMatch m = perPerson.match(rest); m.hasMatch()) {
        line.perPerson = true;
        rest.remove(m.capturedStart(0), m.capturedLength(0));
    }
    QStringList notes = takeBracketed(rest);
    // "1 15oz can, drained kidney beans", "1 large, ripe avocado": a comma straight after the unit
    // or the size sets off the food that follows, not a note of a food left unsaid.
    static const QRegularExpression commaFirst(QStringLiteral("^\\s*,\\s*(?=[A-Za-z])"));
    rest.remove(commaFirst);
    // "mango, apple and ginger chutney", "pork, apple and sage sausages": a bought food named by
    // the flavours it is made with, listed as its label lists them, is the food of the first
    // flavour ("mango chutney"), the others a note of it. A comma before how a food is prepared
    // ("carrots, peeled and sliced") starts no such list.
    static const QRegularExpression flavoursListed(
        QStringLiteral("^\\s*([A-Za-z][\\w'-]*(?:\\s+[A-Za-z][\\w'-]*)?)\\s*,\\s*"
                       "([A-Za-z][\\w',\\s-]*?\\s(?:and|&)\\s[A-Za-z][\\w'\\s-]*?)\\s+"
                       "(chutneys?|relish|pickle|jam|marmalade|pesto|soup|sauce|stuffing|"
                       "sausages?|chipolatas?|burgers?|yogh?urts?)(?=\\s*(?:,|$))"),
        QRegularExpression::CaseInsensitiveOption);
    if (const QRegularExpressionMatch m = flavoursListed.match(rest); m.hasMatch()) {
        notes.append(QStringLiteral("with ") + m.captured(2).simplified());
        rest = m.captured(1) + u' ' + m.captured(3) + QStringView(rest).sliced(m.capturedEnd(0));
    }
    static const QString form = QStringLiteral(
        "(?:fresh|frozen|dried|canned|tinned|red|green|yellow|orange|white|brown|black|light|"
        "dark|smoked|unsmoked|salted|unsalted|cooked|raw|whole|ground|small|medium|large|baby|"
        "new|chat|dry|sweet|sweetened|unsweetened|plain|natural|greek(?:[\\s-]style)?|lean|"
        "kosher|sea|table|coarse|grape|cherry|plum|roma|"
        "extra[\\s-]lean|regular|single|double|heavy|whipping|sharp|mild|mature|prepared|hot|spicy|"
        "bottled|homemade|store[\\s-]bought|(?:\\d+%\\s*)?fat[\\s-]free|"
        "(?:low|non|reduced)[\\s-]?fat|(?:gluten|sugar|dairy)[\\s-]free|"
        "(?:low|reduced)[\\s-](?:sodium|salt)|quick(?:[\\s-]cooking)?|old[\\s-]fashioned|rolled|"
        "minced|chopped|diced|sliced|crushed|grated|shredded|roast(?:ed)?|(?:char[\\s-]?)?grilled|"
        "barbecued|bbq|poached|steamed|boiled|baked|(?:pan[\\s-]|stir[\\s-])?fried|braised|"
        "toasted)");
    // "fresh, or frozen, blueberries": commas around a choice of the food's form set it off, as
    // "fresh or frozen blueberries" is written without them; the food still follows the choice.
    static const QRegularExpression formsInCommas(
        QStringLiteral("^\\s*(%1)\\s*,?\\s+((?:and/)?or\\s+%1)\\s*,\\s*(?=[A-Za-z])").arg(form),
        QRegularExpression::CaseInsensitiveOption);
    rest.replace(formsInCommas, QStringLiteral("\\1 \\2 "));
    // "boneless, skinless chicken breasts", "homemade, unsalted chicken stock", "roasted, unsalted
    // almonds", "good, hot vegetable stock", "plain, low-fat yogurt", "whole-wheat, low-fat flour
    // tortillas": words that only describe, how the food is made, cooked or sold, what grain it is
    // of or how good it is among them, go on to the food, with the share a label gives of them
    // ("30% reduced-sodium, 98% fat-free cream of mushroom soup").
    static const QRegularExpression describing(
        QStringLiteral(
            "^\\s*(?:(?:whole[\\s-]?(?:wheat|grain|meal)|multi[\\s-]?grain|boneless|skinless|"
            "bone-in|skin-on|fresh|ripe|large|small|"
            "home[\\s-]?made|organic|free[\\s-]range|gluten[\\s-]free|"
            "(?:good|best)(?:[\\s-]quality)?|medium|lean|firm|peeled|seedless|pitted|cooked|"
            "uncooked|raw|whole|hot|"
            "cold|warm|soft|hard|sweet|dry|dried|frozen|canned|ground|chopped|unsalted|plain|"
            "natural|"
            "roasted|toasted|blanched|"
            "condensed|instant|grated|shredded|sliced|diced|minced|crushed|"
            "salted|(?:fat|salt|sugar)[\\s-]free|(?:low|lower|reduced|less)[\\s-](?:fat|sodium|"
            "salt)|salt[\\s-]reduced|no[\\s-]salt[\\s-]added|nonfat|non-fat|light|lite|"
            "\\d+(?:\\.\\d+)?\\s*%)"
            "\\s*,?\\s*)+(?=[a-z])"),
        QRegularExpression::CaseInsensitiveOption);
    qsizetype searchFrom = 0;
    if (const QRegularExpressionMatch m = describing.match(rest); m.hasMatch())
        searchFrom = m.capturedEnd(0);
    // Notes follow a comma, or a semicolon as MealMaster files write them ("Onion; chopped").
    static const QRegularExpression separator(QStringLiteral("[,;]"));
    const qsizetype comma = rest.indexOf(separator, searchFrom);
    // "Pork chops, boneless, lean" and "chicken thighs, boneless and skinless", as food-first
    // cards write them: how a cut was sold describes the cut bought, wherever it stands, so it goes
    // on to the food as "boneless lean pork chops" would have it, once the food's own words were
    // read. So does "dried" after a herb or a fruit, as food-first lists and recipe programs write
    // it ("basil - 2 teaspoons, dried", "apricots, dried"): the food kept dry, not fresh; and "no
    // beans" after a chili ("Hormel chili, no beans"), which is another can.
    QStringList foodWords;
    if (comma >= 0) {
        static const QRegularExpression howCutSoldOrKept(
            QStringLiteral("^(?:(?:boneless|skinless|bone-in|skin-on|(?:extra[\\s-])?lean)"
                           "(?:\\s+(?:and\\s+)?|$))+$|^dried$|^(?:no|without)\\s+beans$"),
            QRegularExpression::CaseInsensitiveOption);
        for (const QString& note : rest.sliced(comma + 1).split(separator)) {
            if (note.trimmed().isEmpty())
                continue;
            if (howCutSoldOrKept.match(note.trimmed()).hasMatch())
                foodWords.append(note.trimmed());
            else
                notes.append(note.trimmed());
        }
        rest.truncate(comma);
    }
    static const QRegularExpression dashNote(QStringLiteral("\\s+-+\\s+(.*)$"));
    if (const QRegularExpressionMatch m = dashNote.match(rest); m.hasMatch()) {
        notes.prepend(m.captured(1).trimmed());
        rest.truncate(m.capturedStart(0));
    }
    static const QRegularExpression trailingNote(
        QStringLiteral(
            "\\s+((?:or |and )?(?:to taste|for (?:garnish|garnishing|serving|dusting|"
            "greasing|(?:deep[\\s-]|shallow[\\s-]|pan[\\s-])?frying|brushing|"
            "decoration|topping|the pan)|to (?:deep[\\s-])?fry|as needed|if desired|"
            "optional|divided|plus (?:more\\b|\\d).*|or more\\b.*|at room temperature|"
            "if needed|(?:mixed|dissolved|whisked|stirred|blended|diluted|softened) "
            "(?:with|in|into)\\b.*|(?:about|around|approx\\.?|approximately)\\s+[\\d.]+\\s*"
            "(?:g|kg|oz|lbs?|grams?|ounces?|pounds?)\\b.*)).*$"),
        QRegularExpression::CaseInsensitiveOption);
    // "buttermilk or 1 cup milk plus 1 tbsp lemon juice": what is added after a second food offered
    // goes with that food, to be left out with it, not added to the first.
    static const QRegularExpression offeredBefore(QStringLiteral("\\s(?:and/)?or\\s"),
                                                  QRegularExpression::CaseInsensitiveOption);
    if (const QRegularExpressionMatch m = trailingNote.match(rest);
        m.hasMatch() && !(m.captured(1).startsWith(u"plus", Qt::CaseInsensitive) &&
                          QStringView(rest).first(m.capturedStart(0)).contains(offeredBefore))) {
        notes.prepend(m.captured(1).trimmed());
        rest.truncate(m.capturedStart(0));
    }
    // One food in either of two forms, sizes or strengths, the first being the one used: "fresh or
    // frozen blueberries", "red or yellow pepper", "small or new potatoes", "single or double
    // cream", "lean or extra-lean mince", "prepared or Dijon mustard", "fresh or bottled lemon
    // juice", "kosher or sea salt", "grape or cherry tomatoes", "fresh or 1 tsp dried thyme", "97%
    // fat-free or gluten-free mayonnaise", "quick or old-fashioned oats", "minced or chopped
    // garlic", "poached or roast chicken breast" (the first word alone is no food, or another one:
    // "small" would be a beef rib's small end, "dry" dry pasta, "grape" a grape, "quick" quick
    // farina, "minced" minced ham, "poached" a poached egg), words before the first form
    // describing both ("sliced fresh or frozen okra", "chopped fresh red or green chile"); and two
    // kinds of the food a head word names, as in "chicken or vegetable stock", "meat or vegetable
    // stock", "cod or haddock fillets", "lemon or lime juice", "vegetable or sunflower oil",
    // "Cumberland or veggie sausages", "pineapple or mango preserves", "cream of celery or mushroom
    // soup", "whole-grain or mixed-grain sandwich buns", "pork loin or rib chops", "lamb shoulder
    // or chump chops",
    // "beef rib or sirloin steaks" (the cut before "or" is a chop or steak as well, not the whole
    // joint), the first a word that names a kind of it ("sherry or chicken broth" is sherry); words
    // before the kind describe both ("light chicken or vegetable stock" is light chicken stock),
    // listed with commas or without ("reduced-sodium, fat-free chicken or vegetable broth"), after
    // a package too ("1 can chicken or vegetable broth").
    static const QRegularExpression eitherKind[] = {
        QRegularExpression(
            QStringLiteral(
                "^\\s*((?:[A-Za-z-]+\\s+)*?%1)\\s+(?:and/or|or)\\s+([A-Za-z][\\w-]*\\s+(.+))$")
                .arg(form),
            QRegularExpression::CaseInsensitiveOption),
        QRegularExpression(
            QStringLiteral("^\\s*((?:[A-Za-z-]+\\s+)*?%1)\\s+(?:and/or|or)\\s+(%2\\s*"
                           "[A-Za-z.]+\\s+(?:%1\\s+)?([A-Za-z].*))$")
                .arg(form, amountPattern),
            QRegularExpression::CaseInsensitiveOption),
        QRegularExpression(
            QStringLiteral(
                "^\\s*((?:[\\w-]+,?\\s+)*?(?:chicken|vegetable|veg|meat|beef|fish|lamb|"
                "pork|turkey|veal|lemon|lime|orange|apple|cod|haddock|hake|pollock|"
                "salmon|plain|wholemeal|cider|cheddar|parmesan|cumberland|lincolnshire|"
                "toulouse|pineapple|mango|apricot|peach|strawberry|raspberry|cherry|fig|"
                "celery|mushroom|whole[\\s-](?:grain|wheat)|mixed[\\s-]grain|"
                "multi[\\s-]?grain|olive|sunflower|rapeseed|canola|groundnut|peanut|"
                "grapeseed|loin|rib|shoulder|blade|chump|sirloin|rump))\\s+(?:and/or|or)\\s+"
                "(\\S+\\s+((?:stock|broth|mince|oils?|chops?|steaks?|cutlets?|"
                "juice|flour|vinegar|fillets?|cheese|sausages?|chipolatas?|preserves|"
                "jam|soup|(?:sandwich\\s+|hamburger\\s+|burger\\s+)?buns?)\\b.*))$"),
            QRegularExpression::CaseInsensitiveOption),
    };
    // "1 pint chicken stock made with 1 cube", "fresh breadcrumbs made from day-old bread": how
    // the stock or the crumbs are made says what they are, not a second food.
    static const QRegularExpression madeWith(
        QStringLiteral("\\s+made\\s+(?:up\\s+)?(?:with|from|using)\\s+(.*\\b(?:cubes?|pots?|"
                       "powder|granules|paste|concentrate|bread|sourdough|rolls?)\\b.*)$"),
        QRegularExpression::CaseInsensitiveOption);
    if (const QRegularExpressionMatch m = madeWith.match(rest); m.hasMatch()) {
        notes.append(QStringLiteral("made with ") + m.captured(1));
        rest.truncate(m.capturedStart(0));
    }
    // A slash between two words offers either, as "or" does: "tomato paste/puree" is tomato paste,
    // "onion/shallot" an onion, "olive/vegetable oil" olive oil. "And/or" already says so,
    // "gluten/wheat-free" shares its ending: both words describe the food, and a word on both
    // sides offers no choice: "half/half" is half-and-half.
    static const QRegularExpression slashChoice(
        QStringLiteral("(?<![\\w/])(?!and/or\\b)([A-Za-z][\\w-]*)\\s*/\\s*(?!\\1\\b)"
                       "(?=[A-Za-z]+\\b(?!-))"),
        QRegularExpression::CaseInsensitiveOption);
    rest.replace(slashChoice, QStringLiteral("\\1 or "));
    // "80/20 beef": the shares of lean and fat of a grind, which the line's text keeps, are no
    // words of the food's name ("80 proof").
    static const QRegularExpression leanAndFat(
        QStringLiteral("\\b(\\d\\d)\\s*/\\s*(\\d\\d?)\\b\\s*"));
    if (const QRegularExpressionMatch m = leanAndFat.match(rest);
        m.hasMatch() && m.captured(1).toInt() + m.captured(2).toInt() == 100)
        rest.remove(m.capturedStart(0), m.capturedLength(0));
    for (const QRegularExpression& kinds : eitherKind) {
        if (const QRegularExpressionMatch m = kinds.match(rest); m.hasMatch()) {
            notes.prepend(QStringLiteral("or ") + m.captured(2));
            rest = m.captured(1) + u' ' + m.captured(3);
            break;
        }
    }
    // Of two foods offered the first is the one used: "butter or margarine".
    static const QRegularExpression alternative(QStringLiteral("\\s+(?:and/or|or)\\s+(.*)$"),
                                                QRegularExpression::CaseInsensitiveOption);
    if (const QRegularExpressionMatch m = alternative.match(rest); m.hasMatch()) {
        notes.prepend(QStringLiteral("or ") + m.captured(1).trimmed());
        rest.truncate(m.capturedStart(0));
    }
    // "450g white parts of leeks": the white of a leek is the part USDA weighs as the leek.
    static const QRegularExpression leadingOf(
        QStringLiteral("^\\s*(?:(?:the\\s+)?white\\s+parts?\\s+)?of\\s+"),
        QRegularExpression::CaseInsensitiveOption);
    rest.remove(leadingOf);
    rest = rest.simplified();
    // "2 garlic cloves", but not "4 whole cloves": the food's words must remain.
    static const QRegularExpression onlyDescribing(
        QStringLiteral("^(?:whole|ground|fresh|large|medium|small|dried|green|raw)$"),
        QRegularExpression::CaseInsensitiveOption);
    // "6 beef short ribs" are meat: only celery's ribs are stalks.
    static const QRegularExpression meatRibs(
        QStringLiteral(
            "\\b(?:short|spare|back|beef|pork|lamb|veal|prime|country[- ]style)\\s+ribs?$"),
        QRegularExpression::CaseInsensitiveOption);
    // "2 large garlic cloves": a size before the food is the size of the count word after it.
    const bool sizedPieces = line.size.isEmpty() && isPieceSize(line.unit);
    if (line.unit.isEmpty() || sizedPieces) {
        const qsizetype space = rest.lastIndexOf(u' ');
        const QString unit =
            space > 0 ? trailingCountWords().value(rest.sliced(space + 1).toLower()) : QString();
        if (!unit.isEmpty() && !onlyDescribing.match(rest.first(space)).hasMatch() &&
            !meatRibs.match(rest).hasMatch()) {
            if (sizedPieces)
                line.size = line.unit;
            line.unit = unit;
            rest.truncate(space);
        }
    }
    line.food = foodWords.isEmpty() ? rest : foodWords.join(u' ') + u' ' + rest;
    line.notes = notes;
}

// "1 tablespoon each butter and olive oil", "2 each carrots and parsnips": the amount is of each
// food named, so the line holds the first, and the others, the same again of each, stay in its
// notes.
void keepFirstOfEach(QStringView amount, IngredientLine& line)
{
    static const QRegularExpression eachAfterCount(QStringLiteral("\\beach\\s*$"),
                                                   QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression eachAfterUnit(QStringLiteral("^each\\s+"),
                                                  QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch afterUnit = eachAfterUnit.match(line.food);
    if (!afterUnit.hasMatch() && !eachAfterCount.match(amount).hasMatch())
        return;
    line.food.remove(0, afterUnit.capturedLength(0));
    static const QRegularExpression others(QStringLiteral("\\s+(?:and|&)\\s+(.+)$"),
                                           QRegularExpression::CaseInsensitiveOption);
    if (const QRegularExpressionMatch m = others.match(line.food); m.hasMatch()) {
        line.notes.prepend(QStringLiteral("and %1, the same amount").arg(m.captured(1)));
        line.food.truncate(m.capturedStart(0));
    }
}

// "1/4 cup olive oil, plus 4 tbsp extra", "2 tbsp oil, plus 1 tbsp extra for brushing": an extra
// the cook measures is measured out too, so it counts with the rest, in the line's own measure
// where one steps to the other and else kept aside for the food's weights ("50g butter, plus 1
// tbsp extra"); one without an amount ("plus extra for brushing") is too little to weigh.
void addMeasuredExtra(IngredientLine& line)
{
    static const QRegularExpression extra(
        QStringLiteral("^plus\\s+(%1)\\s*(.*)$").arg(amountPattern),
        QRegularExpression::CaseInsensitiveOption);
    for (const QString& note : std::as_const(line.notes)) {
        const QRegularExpressionMatch m = extra.match(note);
        if (!m.hasMatch())
            continue;
        Cursor unitWord{m.captured(2)};
        const QString unit = readUnit(unitWord);
        if (!isMeasure(unit))
            continue;
        // "plus 1/0 tbsp extra" is no amount: the line's own stands alone.
        const double amount = amountValue(m.capturedView(1));
        if (!std::isfinite(amount))
            continue;
        if (const std::optional<double> smaller = unitsIn(line.unit, unit)) {
            line.quantity = *line.quantity + amount / *smaller;
            return;
        }
        if (const std::optional<double> larger = unitsIn(unit, line.unit)) {
            line.quantity = *line.quantity + amount * *larger;
            return;
        }
        if (isMeasure(line.unit)) {
            line.extraAmount = amount;
            line.extraUnit = unit;
            return;
        }
    }
}

bool writtenInCapitals(QStringView text)
{
    int letters = 0;
    for (const QChar c : text) {
        if (c.isLower())
            return false;
        letters += c.isLetter();
    }
    return letters >= 2;
}

// "For the filling", "To serve", "Dressing": a part of the recipe named without a colon. A part's
// word alone is no food a line could count without an amount; a dish's name ("Salad", "Curry")
// stays a title.
bool namesAPart(QStringView text)
{
    static const QRegularExpression partName(
        QStringLiteral("^(?:for\\s+the\\s+[^,;()\\d]+|to\\s+(?:serve|finish|garnish|decorate|"
                       "assemble|top|glaze|dust)(?:\\s+[^,;()\\d]+)?|marinade|dressing|toppings?|"
                       "garnish(?:es)?|sauce|filling|glaze|icing|frosting|crust|base|batter|syrup|"
                       "slaw|rub|streusel|seasoning)$"),
        QRegularExpression::CaseInsensitiveOption);
    return partName.match(text).hasMatch() && text.count(u' ') < 6;
}

// A weight in brackets before the food, as some British sites print their lines ("(60g / 2 1/2
// oz) onion, finely chopped - 1 small"), is the line's amount: its first weight, the others it
// gives in other measures left out.
QString weightInBracketsFirst(const QString& text)
{
    static const QRegularExpression bracketFirst(
        QStringLiteral("^\\(\\s*(%1\\s*(?:g|kg|ml|l|oz|lbs?)\\.?)(?=[\\s/)])[^()]*\\)\\s*"
                       "(?=[A-Za-z])")
            .arg(amountPattern),
        QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch m = bracketFirst.match(text);
    return m.hasMatch() ? m.captured(1) + u' ' + text.sliced(m.capturedEnd(0)) : text;
}

// A line that names its food before its amount, as British magazines, Indian and Filipino blogs
// and some cookbooks write it ("potatoes 700g, cut into wedges", "sunflower oil - 1 tablespoon",
// "Potatoes: 3 medium", "Chicken breasts (2)", "lemon 1, zested", "85% lean ground beef 8
// ounces"), put amount first; any other line as it is. A count after the food stands alone, so
// that "Bake for 20 minutes" or "Ingredients for 4" stay what they are.
QString amountFirst(const QString& text)
{
    static const QRegularExpression foodFirst(
        QStringLiteral("^((?:%1\\s*)?[A-Za-z](?:[^\\d]|%1)*?)(?:\\s*:\\s*|\\s+(?:-\\s+)?|\\s*(\\())"
                       "(?=[\\d.](?![\\d.]*\\s*%))")
            .arg(QStringLiteral("\\d+(?:\\.\\d+)?\\s*%")));
    static const QRegularExpression linkWord(
        QStringLiteral("\\b(?:for|of|to|with|in|into|at|by|about|and|or|over|serves|makes|"
                       "yields?|step|mark|oven|gas)$"),
        QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression otherUnits(
        QStringLiteral("^\\s*/\\s*%1\\s*[A-Za-z]*\\.?").arg(amountPattern));
    // "4 skinless fillets": a count of pieces, as a fish or a joint is written, also ends it, as
    // does the "each" (or "ea") a recipe program writes after a count: "carrot, diced 1 ea".
    static const QRegularExpression countEnds(
        QStringLiteral(
            "^\\s*(?:(?:skinless|boneless|skin-on|bone-in|thin|thick|large|medium|small)\\s+)*"
            "(?:(?:fillets?|steaks?|chops?|breasts?|thighs?|drumsticks?|cutlets?|slices?|rashers?)"
            "\\s*)?(?:(?:each|ea)\\.?\\s*)?(?:[,(/)]|$)"),
        QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch m = foodFirst.match(text);
    if (!m.hasMatch() || linkWord.match(m.capturedView(1)).hasMatch())
        return text;
    // "Half a 400g tin", "a 500g jar": an amount spelled out before a size is the line's amount,
    // not a food written first.
    if (wordNumber(m.captured(1).section(u' ', 0, 0)))
        return text;
    Cursor cursor{text, m.capturedLength(0)};
    if (!readAmount(cursor))
        return text;
    const qsizetype amountEnd = cursor.at;
    cursor.skipBlanks();
    // "Marinara sauce 2 (26-ounce) jars": a count of packages of a size.
    QString package;
    if (Cursor sized = cursor; readSize(sized, &package))
        cursor = sized;
    else if (readUnit(cursor).isEmpty()) {
        if (!countEnds.match(QStringView(text).sliced(amountEnd)).hasMatch())
            return text;
        cursor.at = amountEnd;
    }
    if (const QRegularExpressionMatch other = otherUnits.match(cursor.rest()); other.hasMatch())
        cursor.at += other.capturedLength(0);
    const qsizetype measureEnd = cursor.at;
    // An amount in brackets is the food's only when the brackets hold nothing else.
    if (m.hasCaptured(2)) {
        cursor.skipBlanks();
        if (!cursor.rest().startsWith(u')'))
            return text;
        ++cursor.at;
    }
    // Words right after the amount describe the food and go before it, so that an alternative
    // after the food stays the last thing said: "beef or lamb - 450 g minced lean" is "450 g
    // minced lean beef or lamb", not lean beef "or lamb minced lean".
    static const QRegularExpression describing(
        QStringLiteral("^\\s+([A-Za-z][A-Za-z\\s-]*?)(?=\\s*(?:[,;(]|$))"));
    const QString amount = text.sliced(m.capturedLength(0), measureEnd - m.capturedLength(0));
    QString food = m.captured(1);
    if (const QRegularExpressionMatch words = describing.match(cursor.rest()); words.hasMatch()) {
        food = words.captured(1) + u' ' + food;
        cursor.at += words.capturedLength(0);
    }
    return amount + u' ' + food + text.sliced(cursor.at);
}

// "1 heaped tbsp flour": a heaped spoon holds about twice a level one, as kitchen guides weigh
// them, so it counts as two. "Scant 1/2 cup sugar", "1 generous cup parmesan": a scant measure
// falls short by about an eighth (a cup less two tablespoons) and a generous one goes over by as
// much. A level measure is the measure.
void countLooseMeasure(QStringView amountWords, IngredientLine& line)
{
    struct Loosely {
        QRegularExpression word;
        bool spoonsOnly;
        double share;
        QString says;
    };
    const auto wordOf = [](const char* pattern) {
        return QRegularExpression(QStringLiteral("\\b%1\\b").arg(QLatin1String(pattern)),
                                  QRegularExpression::CaseInsensitiveOption);
    };
    static const Loosely loosely[] = {
        {wordOf("heap(?:ed|ing)"), true, 2, QStringLiteral("a heaped spoon, two level ones")},
        {wordOf("scant"), false, 7.0 / 8, QStringLiteral("a scant measure, an eighth short")},
        {wordOf("generous"), false, 9.0 / 8, QStringLiteral("a generous measure, an eighth over")},
    };
    static const QStringList spoons{QStringLiteral("tsp"), QStringLiteral("tbs"),
                                    QStringLiteral("dessertspoon")};
    if (!line.quantity)
        return;
    for (const Loosely& loose : loosely) {
        const bool measured = loose.spoonsOnly ? spoons.contains(line.unit)
                                               : unitClass(line.unit) == UnitClass::Volume;
        if (!measured || !loose.word.match(amountWords).hasMatch())
            continue;
        line.quantity = *line.quantity * loose.share;
        if (line.measures.isEmpty())
            line.measures = loose.says;
        return;
    }
}

// A piece of root cut to a length is so many inch pieces, as a length is no count: "2.5cm piece
// ginger", "2.5cm cube fresh ginger" and "1 1-inch knob of ginger" are one, "1 (2-inch) piece
// ginger" and "2 (1-inch) pieces" two. A bare fraction after a count is a mixed length: "1
// 1/2-inch piece". Ginger is cut so often that its length alone says the piece: "4cm fresh
// ginger, grated", "2 inches ginger".
QString inchPieces(const QString& reading)
{
    static const QRegularExpression lengthPiece(
        QStringLiteral("^(?:(\\d+|an?)\\s+(?!\\d+/))?\\(?(%1)\\s*-?\\s*(cm|inch(?:es)?|in\\.?|\")"
                       "\\)?(?:\\s*(?:piece|knob|chunk|cube)s?\\b|(?=\\s+(?:of\\s+)?(?:fresh\\s+)?"
                       "(?:root\\s+)?ginger\\b))")
            .arg(amountPattern),
        QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch m = lengthPiece.match(reading);
    if (!m.hasMatch())
        return reading;
    const QString count = m.captured(1);
    const double pieces =
        (count.isEmpty() || !count.front().isDigit() ? 1 : count.toDouble()) *
        amountValue(m.capturedView(2)) /
        (m.captured(3).compare(QLatin1String("cm"), Qt::CaseInsensitive) == 0 ? 2.5 : 1);
    return writtenInFull(pieces) + QStringLiteral(" piece") + reading.sliced(m.capturedLength(0));
}

// "8 (1/8-inch-thick) slices lemon", "4 (1/4-inch) slices tomato": the thickness in brackets
// says which slice is meant, USDA's slice of the food, not how many or how much; read past it
// the count is of slices.
QString sliceThickness(const QString& reading)
{
    static const QRegularExpression thickness(
        QStringLiteral("^((?:%1)\\s*)\\(\\s*(?:%1)\\s*-?\\s*(?:cm|inch(?:es)?|in\\.?|\")"
                       "(?:[\\s-]*thick)?\\s*\\)\\s*(?=slices?\\b)")
            .arg(amountPattern),
        QRegularExpression::CaseInsensitiveOption);
    QString read = reading;
    return read.replace(thickness, QStringLiteral("\\1"));
}

// How many cubes a line puts in: "1/2", "2", or one for "a" and half for "half a".
QString cubeCount(QStringView written)
{
    if (written.front().isDigit())
        return written.toString();
    return written.startsWith(u"half", Qt::CaseInsensitive) ? QStringLiteral("1/2")
                                                            : QStringLiteral("1");
}

// Stock a line makes from counted cubes is the cubes: "1 chicken stock cube, made up to 500ml",
// "500ml chicken stock made with 1 cube", "2 beef bouillon cubes dissolved in 2 cups boiling
// water" and "150ml water, with 1/2 stock cube" put the cubes' salt in the pot however much water
// they go into. USDA's made-up broth holds a cube in every 182 ml, near three cubes' salt in half a
// litre, while British labels put a cube's salt near USDA's dry cube. A pot or a paste, which USDA
// keeps no dry food for, is the broth it makes.
QString stockFromCubes(const QString& written)
{
    // Better Than Bouillon is a bouillon base by its maker's name, chicken unless it says: "1 tsp
    // Better Than Bouillon" is a teaspoon of bouillon base.
    static const QRegularExpression namedBase(
        QStringLiteral("\\bbetter\\s+than\\s+bouillon\\b(?:\\s+((?:[\\w-]+\\s+)*?)base\\b)?"),
        QRegularExpression::CaseInsensitiveOption);
    QString reading = written;
    reading.replace(namedBase, QStringLiteral("\\1bouillon base"));
    static const QString brothVolume =
        QStringLiteral("(?:ml|l|litres?|liters?|pints?|cups?|quarts?)");
    static const QRegularExpression madeUp(
        QStringLiteral(
            "^(\\d+|an?)?\\s*((?:[\\w-]+\\s+)*?)(?:stock|bouillon)\\s+(cubes?|pots?)\\s*,?\\s*"
            "(?:made\\s+up\\s+to|dissolved\\s+in|mixed\\s+with)\\s+(%1\\s*%2)\\b(?:\\s+(?:of\\s+)?"
            "(?:boiling\\s+|hot\\s+)?water)?(.*)$")
            .arg(amountPattern, brothVolume),
        QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch m = madeUp.match(reading);
    if (m.hasMatch()) {
        const QString count =
            m.captured(1).isEmpty() ? QStringLiteral("1") : cubeCount(m.capturedView(1));
        if (m.captured(3).startsWith(u"cube", Qt::CaseInsensitive))
            return count + u' ' + m.captured(2) + QStringLiteral("stock ") + m.captured(3) +
                   m.captured(5);
        return m.captured(4) + u' ' + m.captured(2) + QStringLiteral("stock made with ") + count +
               u' ' + m.captured(3) + m.captured(5);
    }
    static const QRegularExpression waterWithCube(
        QStringLiteral("^(%1\\s*%2)\\b\\s*(?:\\([^)]*\\)\\s*)?(?:of\\s+)?(?:boiling\\s+|hot\\s+)?"
                       "water\\s*,?\\s*(?:with|and|plus)\\s+(\\d+/"
                       "\\d+|\\d+|half\\s+an?|an?)\\s+((?:[\\w-]+\\s+)*?)"
                       "(?:stock|bouillon)\\s+(cubes?|pots?)\\b(.*)$")
            .arg(amountPattern, brothVolume),
        QRegularExpression::CaseInsensitiveOption);
    if (const QRegularExpressionMatch w = waterWithCube.match(reading); w.hasMatch()) {
        const QString count = cubeCount(w.capturedView(2));
        if (w.captured(4).startsWith(u"cube", Qt::CaseInsensitive))
            return count + u' ' + w.captured(3) + QStringLiteral("stock ") + w.captured(4) +
                   w.captured(5);
        return w.captured(1) + u' ' + w.captured(3) + QStringLiteral("stock made with ") + count +
               u' ' + w.captured(4) + w.captured(5);
    }
    // Bouillon paste or base is sold to make a cup of broth from each teaspoon, and salted to
    // match: "1 tbsp beef bouillon base" is three cups of beef stock, not its spoonful weighed as
    // dry granules.
    static const QRegularExpression pasteBySpoon(
        QStringLiteral(
            "^(%1)\\s*(?:(?<teaspoon>teaspoons?|tsps?)|(?<tablespoon>tablespoons?|tbsps?|"
            "tbs))\\.?\\s+((?:[\\w-]+\\s+)*?)(?:bouillon|stock)\\s+(?:paste|base|concentrate)\\b"
            "(.*)$")
            .arg(amountPattern),
        QRegularExpression::CaseInsensitiveOption);
    if (const QRegularExpressionMatch p = pasteBySpoon.match(reading); p.hasMatch()) {
        constexpr int teaspoonsInTablespoon = 3;
        const bool teaspoon = p.hasCaptured(QStringLiteral("teaspoon"));
        const double cups = amountValue(p.capturedView(1)) * (teaspoon ? 1 : teaspoonsInTablespoon);
        return doubleText(cups) + QStringLiteral(" cups ") + p.captured(4) +
               QStringLiteral("stock made with ") + p.captured(1) + u' ' +
               p.captured(teaspoon ? QStringLiteral("teaspoon") : QStringLiteral("tablespoon")) +
               QStringLiteral(" paste") + p.captured(5);
    }
    // Stock made from counted cubes, its volume given or not, is the cubes: "400ml chicken stock,
    // made from 1 low-sodium stock cube" is one low-sodium chicken stock cube, "250ml chicken
    // stock (from a cube)" one chicken stock cube.
    static const QRegularExpression fromCountedCubes(
        QStringLiteral(
            "^(?:%1\\s*%2\\b(?:\\s*/\\s*%1\\s*%2\\b)?\\s*(?:\\([^)]*\\)\\s*)?)?"
            "((?:\\p{L}[\\p{L}-]*,?\\s+)*?)(?:stock|broth)\\s*[,(]?\\s*(?:made\\s+(?:up\\s+)?"
            "(?:with|from|using)|from)\\s+(\\d+/\\d+|\\d+|half\\s+an?|an?)\\s+"
            "((?:[\\w-]+\\s+)*?)(?:(?:stock|bouillon)\\s+)?(cubes?)\\b\\)?(.*)$")
            .arg(amountPattern, brothVolume),
        QRegularExpression::CaseInsensitiveOption);
    if (const QRegularExpressionMatch c = fromCountedCubes.match(reading); c.hasMatch())
        return cubeCount(c.capturedView(2)) + u' ' + c.captured(3) + c.captured(1) +
               QStringLiteral("stock ") + c.captured(4) + c.captured(5);
    // A stock pot's packet makes it up to half a litre: "2 beef stock pots" are a litre of beef
    // stock, "1 x 28g chicken stock pot" half a litre of chicken stock. The pot is a jelly mostly
    // of water; weighed as a dry cube it would count a fraction of its salt or, by its own grams,
    // several times too much.
    static const QRegularExpression bareStockPot(
        QStringLiteral("^(\\d+|an?)?\\s*(?:x\\s*\\d+\\s*g\\s+)?((?:\\p{L}[\\p{L}-]*\\s+)*?)"
                       "stock\\s+(pots?)\\b(.*)$"),
        QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch pot = bareStockPot.match(reading);
    if (pot.hasMatch()) {
        constexpr int stockPotMakesMl = 500;
        const double pots = pot.captured(1).isEmpty() || !pot.captured(1).front().isDigit()
                                ? 1
                                : pot.captured(1).toDouble();
        return writtenInFull(pots * stockPotMakesMl) + QStringLiteral("ml ") + pot.captured(2) +
               QStringLiteral("stock made with ") + writtenInFull(pots) + u' ' + pot.captured(3) +
               pot.captured(4);
    }
    return reading;
}

// "A few sprigs of thyme" are three, "a couple of bay leaves" two, as cooks count them.
QString spelledCount(const QString& reading)
{
    static const QRegularExpression few(QStringLiteral("^(?:a\\s+)?few\\s+(?:of\\s+)?"),
                                        QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression couple(QStringLiteral("^a\\s+couple\\s+(?:of\\s+)?"),
                                           QRegularExpression::CaseInsensitiveOption);
    QString counted = reading;
    counted.replace(few, QStringLiteral("3 "));
    counted.replace(couple, QStringLiteral("2 "));
    return counted;
}

// "15-ounce can black beans", "8-oz. package cream cheese", "2-pound chicken": a size joined to
// its unit with no count before it is one package or piece of that size, as "a 15-ounce can" is,
// not fifteen cans. A bare fraction so joined is the amount: "1/2-pound ground beef" is half a
// pound (a count before it would make it a mixed number).
// "1-8 oz. package cream cheese", "2 - 10 ounce cans beans": old recipe cards join a count of
// packages to their size with a hyphen. A top many times the bottom, before a package, is no
// range of amounts ("1-2 cans") but a count and a size, read as "1 (8 oz.) package". A hyphen
// against the count with a blank after it sets the count off from a weight, whatever the pieces:
// "2- 4 oz. chicken breasts" are two breasts of 4 oz., where a range is written "2-4 oz.".
QString countDashedToSize(const QString& reading)
{
    static const QRegularExpression dashed(
        QStringLiteral("^(\\d+)(\\s*)-(\\s*)(%1)\\s*-?\\s*(?=[A-Za-z])").arg(amountPattern));
    const QRegularExpressionMatch m = dashed.match(reading);
    if (!m.hasMatch())
        return reading;
    const bool setOff = m.capturedLength(2) == 0 && m.capturedLength(3) > 0;
    if (!setOff && amountValue(m.capturedView(4)) < 3 * m.captured(1).toDouble())
        return reading;
    Cursor after{reading, m.capturedLength(0)};
    const QString sizeUnit = readUnit(after);
    if (!isMeasure(sizeUnit))
        return reading;
    const qsizetype sizeEnd = after.at;
    while (after.at < reading.size() && reading.at(after.at).isSpace())
        ++after.at;
    const bool piecesWeighed = setOff && unitClass(sizeUnit) == UnitClass::Weight;
    if (!piecesWeighed && !isPackage(readUnit(after)))
        return reading;
    return QStringLiteral("%1 (%2 %3) %4")
        .arg(m.captured(1), m.captured(4),
             reading.sliced(m.capturedLength(0), sizeEnd - m.capturedLength(0)).trimmed(),
             reading.sliced(sizeEnd).trimmed());
}

// "1 pack of 8 chicken thighs", "a packet of 6 tortillas", "2 Packs Waitrose 4 Lamb Shanks": a pack
// that says how many pieces it holds is that many of them for each pack, whichever shop's name
// stands before the count; a weight after it ("1 pack 500 g mince") is the pack's size instead.
QString piecesInPacks(const QString& reading)
{
    static const QRegularExpression packOf(
        QStringLiteral("^(?:(%1)\\s*|(?i:an?)\\s+)(?i:packs?|packets?|boxe?s?|trays?)\\s+"
                       "(?i:of\\s+)?((?:[A-Z][A-Za-z'&]*\\s+){0,3})(\\d{1,3})\\s+(?=[A-Za-z])")
            .arg(amountPattern));
    const QRegularExpressionMatch m = packOf.match(reading);
    if (!m.hasMatch())
        return reading;
    Cursor after{reading, m.capturedLength(0)};
    if (isMeasure(readUnit(after)))
        return reading;
    const double packs = m.hasCaptured(1) ? amountValue(m.capturedView(1)) : 1;
    return writtenInFull(packs * m.captured(3).toInt()) + u' ' + m.captured(2) +
           reading.sliced(m.capturedLength(0));
}

// "4, 4-oz. pork loin chops", "2, 400g tins tomatoes": a count set off from the pieces' size by a
// comma, as some cookbooks print it, is the count of them.
QString countCommaSize(const QString& reading)
{
    static const QRegularExpression countComma(QStringLiteral("^(\\d+)\\s*,\\s*(?=[\\d.])"));
    const QRegularExpressionMatch m = countComma.match(reading);
    if (!m.hasMatch())
        return reading;
    const QString counted = m.captured(1) + u' ' + reading.sliced(m.capturedLength(0));
    Cursor sized{counted, m.capturedLength(1) + 1};
    QString package;
    return readSize(sized, &package) ? counted : reading;
}

QString countOneSized(const QString& reading)
{
    static const QRegularExpression sized(
        QStringLiteral("^(%1)\\s*-\\s*(?=[A-Za-z])").arg(amountPattern));
    const QRegularExpressionMatch m = sized.match(reading);
    if (!m.hasMatch())
        return reading;
    Cursor after{reading, m.capturedLength(0)};
    if (!isMeasure(readUnit(after)))
        return reading;
    static const QRegularExpression bareFraction(QStringLiteral("^\\d+/\\d+$"));
    if (bareFraction.match(m.capturedView(1)).hasMatch())
        return m.captured(1) + u' ' + reading.sliced(m.capturedLength(0));
    // "14.5-ounce cans diced tomatoes 2 ea": the count written after the food is the count.
    static const QRegularExpression countAfter(
        QStringLiteral("\\s+(%1)\\s*(?:ea\\.?|each)?\\s*$").arg(amountPattern),
        QRegularExpression::CaseInsensitiveOption);
    if (const QRegularExpressionMatch count = countAfter.match(reading); count.hasMatch())
        return count.captured(1) + u' ' + reading.first(count.capturedStart(0));
    return QStringLiteral("1 ") + reading;
}

// "Pastry for a 9-inch double-crust pie", "Double crust Classic Pie Crust": a double crust is
// two pie crusts, a bottom and a lid, and a single crust one, when the line gives no other count
// than one recipe of it. A line with a weight or a package of its own ("1 (15 oz) package pie
// crusts, for a double-crust pie") is left as written.
QString pieCrusts(const QString& reading)
{
    static const QRegularExpression crust(
        QStringLiteral("\\b(double|single)[-\\s]*crust(?:ed)?\\b"),
        QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch m = crust.match(reading);
    if (!m.hasMatch())
        return reading;
    static const QRegularExpression inches(
        QStringLiteral("\\(?\\d+\\s*-?\\s*(?:inch(?:es)?\\b|in\\.|\")\\)?"),
        QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression oneRecipe(
        QStringLiteral("^(?:(?:1|one|an?)\\s+(?:recipe\\s+(?:of\\s+)?)?)?\\D*$"),
        QRegularExpression::CaseInsensitiveOption);
    if (!oneRecipe.match(QString(reading).remove(inches).simplified()).hasMatch())
        return reading;
    return m.captured(1).compare(u"double", Qt::CaseInsensitive) == 0
               ? QStringLiteral("2 pie crusts")
               : QStringLiteral("1 pie crust");
}

// "1 x 440 g (14 oz) can corn", "800g (1 lb 12 oz) can pie apple": Australian and British cards
// give a metric weight again in ounces and pounds in brackets. The brackets say nothing more, and
// read as a size of their own they would part the weight from its can.
QString imperialAgain(const QString& reading)
{
    static const QRegularExpression again(
        QStringLiteral(
            "(\\d\\s*(?:g|kg|grams?|kilograms?)\\b\\.?)\\s*\\(\\s*(?:%1)\\s*"
            "(?:oz|ounces?|lbs?|pounds?)\\.?(?:\\s+(?:%1)\\s*(?:oz|ounces?)\\.?)?\\s*\\)")
            .arg(amountPattern),
        QRegularExpression::CaseInsensitiveOption);
    return QString(reading).replace(again, QStringLiteral("\\1"));
}

// How many a line says a recipe makes: "Serves 4-6", "Yield: 2 dozen cookies", "8 servings",
// "Makes 2 loaves (24 slices)", "Serves six to eight". No value when the line is no such line; 0
// when it is one that gives no count ("Serving size: 1 cup"), which is no ingredient either.
std::optional<float> readServingsLine(QStringView row)
{
    static const QString count =
        QStringLiteral("(?:%1|one|two|three|four|five|six|seven|eight|nine|ten|eleven|twelve|"
                       "an?(?=\\s+dozen))")
            .arg(amountPattern);
    static const QString range = QStringLiteral("(%1)(?:\\s*(?:-|–|to|or)\\s*(%1))?").arg(count);
    static const QRegularExpression headed(
        QStringLiteral("^(?:(?:original |this )?recipe\\s+|total\\s+)?"
                       "(?:number of servings|servings per recipe|servings|serves|yields?|makes|"
                       "portions|feeds)\\s*:?\\s*(?:(?:serves|makes|feeds)\\s*:?\\s*)?"
                       "(?:about\\s+|approximately\\s+|approx\\.?\\s*|up to\\s+)?%1"
                       "(?:\\s*(dozen))?(?![\\w/])(.*)$")
            .arg(range),
        QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression trailing(
        QStringLiteral("^(?:about\\s+)?%1\\s+(?:servings?|portions?)\\b\\s*(?:\\(.*\\))?\\.?$")
            .arg(range),
        QRegularExpression::CaseInsensitiveOption);
    // The pieces in brackets are the servings a yield of pans or loaves is cut into.
    static const QRegularExpression pieces(
        QStringLiteral("\\(\\s*(?:about\\s+)?%1\\s+(?:servings?|portions?|slices?|pieces?|"
                       "squares?|bars?|cookies|wedges?|muffins|cupcakes)\\b")
            .arg(range),
        QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression servingSize(QStringLiteral("^serving size\\b"),
                                                QRegularExpression::CaseInsensitiveOption);
    const auto larger = [](const QRegularExpressionMatch& m) {
        const auto value = [](QStringView number) {
            const std::optional<double> word = wordNumber(number.toString());
            return word ? *word : amountValue(number);
        };
        // "Serves 4 to 6" is analysed for the larger number, the smaller serving.
        return std::max(value(m.capturedView(1)),
                        m.hasCaptured(2) ? value(m.capturedView(2)) : 0.0);
    };
    if (servingSize.match(row).hasMatch())
        return 0.0f;
    double servings = 0;
    if (const QRegularExpressionMatch m = headed.match(row); m.hasMatch()) {
        const QRegularExpressionMatch cut = pieces.match(m.capturedView(4));
        servings = cut.hasMatch() ? larger(cut) : larger(m) * (m.hasCaptured(3) ? 12 : 1);
    } else if (const QRegularExpressionMatch m = trailing.match(row); m.hasMatch()) {
        servings = larger(m);
    } else {
        return std::nullopt;
    }
    // More than a recipe can be made for is no count of servings ("Serves 99999999").
    return std::isfinite(servings) && servings > 0 && servings <= quantity::servingsMaximum
               ? static_cast<float>(servings)
               : 0.0f;
}

// The cups of a note, the middle of a range and how it was read: "3-4 cups florets", "about 6
// cups chopped".
std::optional<std::pair<double, QString>> cupsOfNote(const QString& note, QString& range)
{
    static const QRegularExpression about(
        QStringLiteral("^(?:about|approx\\.?|approximately|around|roughly|~)\\s*"),
        QRegularExpression::CaseInsensitiveOption);
    Cursor cursor{note, about.match(note).capturedLength(0)};
    const std::optional<double> amount = readAmount(cursor, &range);
    if (!amount || !std::isfinite(*amount))
        return std::nullopt;
    cursor.skipBlanks();
    const QString unit = readUnit(cursor);
    if (unitClass(unit) != UnitClass::Volume)
        return std::nullopt;
    return std::pair{*amount, unit};
}

} // namespace

bool saysWhatItIsMadeFrom(const QString& note)
{
    static const QRegularExpression madeFrom(
        QStringLiteral("^\\s*(?:made\\s+(?:up\\s+)?(?:with|from|using)|from)\\b"),
        QRegularExpression::CaseInsensitiveOption);
    return madeFrom.match(note).hasMatch();
}

IngredientLine readIngredientLine(QStringView written)
{
    static const QRegularExpression bullet(
        QStringLiteral("^(?:[-*+\\x{2022}\\x{00B7}\\x{25AA}\\x{25E6}\\x{25CF}\\x{25CB}\\x{25A2}"
                       "\\x{2610}\\x{25A1}\\x{2713}\\x{2714}]+(?!(?<=-)[\\d.])\\s*|"
                       "\\d+[.)]\\s+(?=\\d))"));
    IngredientLine line;
    QString text = plainFractions(written).simplified();
    text.remove(bullet);
    line.text = text;
    if (text.isEmpty())
        return line;

    // "About 2 cups", "Juice of 1 lemon": read as "2 cups", "1 lemon juice"; so also "a little
    // over 1 cup", "just under 200ml", "juice 1/2 lemon", "grated zest of 1 orange", "pulp of 4
    // passionfruit" and "zest and juice of 1 lime" or "juice and zest of 1 orange", whose juice is
    // what counts.
    static const QRegularExpression about(
        QStringLiteral("^(?:about|approximately|approx\\.?|roughly|around|(?:a\\s+little|just|"
                       "slightly)\\s+(?:over|under|(?:more|less)\\s+than))\\s+(?=[\\d.])"),
        QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression partOf(
        QStringLiteral(
            "^(?:(?:finely\\s+)?grated\\s+)?(?:(?:zest|rind)\\s+and\\s+)?"
            "(juice|zest|rind|pulp)(?:\\s+and\\s+(?:(?:finely\\s+)?grated\\s+)?(?:zest|rind))?"
            "(?:\\s+of|(?=\\s+[\\d.]))\\s+(.+)$"),
        QRegularExpression::CaseInsensitiveOption);
    // "-2 eggs": less than nothing is no amount a recipe can mean. It is read past, so that the
    // unit and the food are read as ever, and the line is left without an amount to be looked at.
    static const QRegularExpression minus(QStringLiteral("^-(?=[\\d.])"));
    // "The white part of 1 leek", "kernels from 2 cobs": the part USDA weighs as the food.
    static const QRegularExpression whitePart(
        QStringLiteral("^(?:the\\s+)?(?:white\\s+parts?|kernels)\\s+(?:cut\\s+)?(?:of|from|off)\\s+"
                       "(?=[\\d.])"),
        QRegularExpression::CaseInsensitiveOption);
    // "1 lemon, juiced", "2 limes, zested and juiced", "Lemon, juice only": the fruit's juice is
    // what goes in, of one fruit when no count is given ("half a lemon" is half of one); of "1
    // orange, zested" its zest.
    static const QRegularExpression juiced(
        QStringLiteral("^(?:((?:[\\d.]|half\\s).*?)|(.+?))\\s*,\\s*(?:(?:zested|halved)\\s+and\\s+)"
                       "?(juice|zest)"
                       "(?:e?d|\\s+only)\\s*$"),
        QRegularExpression::CaseInsensitiveOption);
    // "3 pcs bay leaves", "Eggs - 2 pcs": shops' and cooks' shorthand for so many of the food.
    static const QRegularExpression pieces(
        QStringLiteral("^(%1)\\s*pcs?\\.?(?=\\s)").arg(amountPattern),
        QRegularExpression::CaseInsensitiveOption);
    // "A thumb-sized piece of ginger" is one thumb of it.
    static const QRegularExpression thumb(
        QStringLiteral("^(?:an?\\s+|1\\s+)?thumb(?:[-\\s]*sized?)?\\s+(?:(?:piece|knob|chunk)\\s+)?"
                       "(?:of\\s+)?"),
        QRegularExpression::CaseInsensitiveOption);
    // "A little oil", "a little butter": a teaspoon of it, as analysts count a cook's little
    // (not a Little Gem lettuce, nor "a little over half a cup", an amount written after it).
    static const QRegularExpression little(
        QStringLiteral(
            "^a\\s+little\\s+(?:of\\s+)?(?!gem\\b|over\\b|under\\b|(?:more|less)\\s+than\\b)"),
        QRegularExpression::CaseInsensitiveOption);
    // "Scant 1/2 cup", "generous 2 tbsp": the loose word before the amount goes with its unit.
    static const QRegularExpression looseFirst(QStringLiteral("^(?:scant|generous)\\s+(?=[\\d.])"),
                                               QRegularExpression::CaseInsensitiveOption);
    QString reading = text;
    reading.remove(about);
    const QString looseWord = looseFirst.match(reading).captured(0);
    reading.remove(0, looseWord.size());
    const bool saysALittle = little.match(reading).hasMatch();
    reading.replace(little, QStringLiteral("1 tsp "));
    reading.remove(whitePart);
    reading = inchPieces(reading);
    reading = sliceThickness(reading);
    reading = imperialAgain(reading);
    reading = spelledCount(reading);
    if (!text.endsWith(u':'))
        reading = pieCrusts(reading);
    reading = stockFromCubes(reading);
    reading.replace(thumb, QStringLiteral("1 thumb "));
    reading = weightInBracketsFirst(reading);
    reading = amountFirst(reading);
    reading = piecesInPacks(reading);
    reading = countCommaSize(reading);
    reading = countDashedToSize(reading);
    reading = countOneSized(reading);
    reading.replace(pieces, QStringLiteral("\\1"));
    if (const QRegularExpressionMatch m = partOf.match(reading); m.hasMatch()) {
        // The part goes with the fruit, before what is said of it after a comma: "zest 1/2 lemon,
        // plus wedges to serve" is the zest of half a lemon, not half a lemon.
        const QString fruit = m.captured(2);
        const qsizetype comma = fruit.indexOf(u',');
        reading = comma < 0
                      ? QString(fruit + u' ' + m.captured(1))
                      : QString(fruit.first(comma) + u' ' + m.captured(1) + fruit.sliced(comma));
    } else if (const QRegularExpressionMatch j = juiced.match(reading); j.hasMatch())
        reading = (j.hasCaptured(1) ? j.captured(1) : QStringLiteral("1 ") + j.captured(2)) + u' ' +
                  j.captured(3);
    Cursor cursor{reading};
    const QRegularExpressionMatch negative = minus.match(reading);
    cursor.at = negative.capturedLength(0);
    QString range;
    std::optional<double> amount = readAmount(cursor, &range);
    if (!amount && !text.endsWith(u':') && !writtenInCapitals(text))
        amount = readArticleAsOne(cursor);
    line.decimal = amount && reading.first(cursor.at).contains(u'.');
    if (!range.isEmpty())
        line.measures = QStringLiteral("the middle of %1").arg(range);
    if (saysALittle)
        line.measures = QStringLiteral("a teaspoon, the line saying a little");
    // The word over a recipe's list says nothing of its foods: "Ingredients", "INGREDIENTS:".
    static const QRegularExpression listWord(QStringLiteral("^ingredients?\\s*:?$"),
                                             QRegularExpression::CaseInsensitiveOption);
    if (listWord.match(text).hasMatch())
        return line;
    if (!amount && (text.endsWith(u':') || writtenInCapitals(text) || namesAPart(text))) {
        line.kind = LineKind::Heading;
        line.heading = text.endsWith(u':') ? text.chopped(1).trimmed() : text;
        return line;
    }
    line.kind = LineKind::Ingredient;
    if (amount) {
        line.quantity = *amount;
        const qsizetype unitStart = cursor.at;
        readUnitAndSize(cursor, line);
        countLooseMeasure(QString(looseWord + reading.sliced(unitStart, cursor.at - unitStart)),
                          line);
    } else if (Cursor unit = cursor; unitClass(readUnit(unit)) == UnitClass::Count) {
        // "Pinch of salt", "Dash of hot sauce": one of them.
        line.quantity = 1;
        readUnitAndSize(cursor, line);
    }
    readFoodAndNotes(cursor.rest().toString(), line);
    if (line.hasQuantity()) {
        keepFirstOfEach(QStringView(reading).first(cursor.at), line);
        addMeasuredExtra(line);
    }
    // "Cooking spray" greases a pan with a spray or so, which an analyst counts as one spray (the
    // typical weights give its grams) rather than as nothing or as a spoonful of oil.
    static const QRegularExpression spray(QStringLiteral("\\bspray\\b"),
                                          QRegularExpression::CaseInsensitiveOption);
    if (!line.hasQuantity() && line.unit.isEmpty() && spray.match(line.food).hasMatch()) {
        line.quantity = 1;
        line.unit = QStringLiteral("spray");
        line.measures = QStringLiteral("one spray, the line giving no amount");
    }
    // "2 eggs (size M)": the size, as egg boxes give it.
    static const QRegularExpression eggSize(
        QStringLiteral("^size\\s+(?:(xl|extra large)|(l|large)|(m|medium)|(s|small))$"),
        QRegularExpression::CaseInsensitiveOption);
    for (const QString& note : std::as_const(line.notes)) {
        const QRegularExpressionMatch m = eggSize.match(note);
        if (!line.hasQuantity() || !line.unit.isEmpty() || !m.hasMatch())
            continue;
        static const char* const sizes[] = {"extra large", "large", "medium", "small"};
        for (int size = 1; size <= 4; ++size)
            if (m.hasCaptured(size))
                line.unit = QString::fromLatin1(sizes[size - 1]);
    }
    if (line.hasQuantity() && isPackage(line.unit)) {
        for (const QString& note : std::as_const(line.notes)) {
            if (const auto size = sizeNote(note)) {
                line.quantity = (size->total ? 1 : *line.quantity) * size->amount;
                line.unit = size->unit;
                break;
            }
        }
    }
    // "4 salmon fillets, about 140g each" weigh four times that, "1 whole chicken (about 4 lbs)"
    // what is written: a weight as bought, whose bones are taken off where the food has them. A
    // weight the cook gives beside a cup or a size is the surer measure: "2 cups noodles, broken
    // (about 7 ounces)", "8 medium potatoes (~ 3 lbs.)"; and the weight of the food made ready
    // beside any other, weight as bought too: "800g lamb chump chops (approx. 500g once trimmed)".
    if (line.hasQuantity()) {
        for (const QString& note : std::as_const(line.notes)) {
            if (const auto size = sizeNote(note);
                size && unitClass(size->unit) == UnitClass::Weight &&
                (size->prepared || unitClass(line.unit) != UnitClass::Weight)) {
                line.piecesWeighed = line.unit.isEmpty() && !size->prepared;
                line.quantity = (size->each ? *line.quantity : 1) * size->amount;
                line.unit = size->unit;
                line.weighedPrepared = size->prepared;
                break;
            }
        }
    }
    // "1 cup ginger snaps (about 16 cookies)": a count beside a cup or a spoon.
    if (line.hasQuantity() && unitClass(line.unit) == UnitClass::Volume) {
        static const QRegularExpression counted(
            QStringLiteral("^(?:(?:about|around|roughly|approx\\.?|approximately)\\s+)?(%1)"
                           "\\s+[A-Za-z]+$")
                .arg(amountPattern),
            QRegularExpression::CaseInsensitiveOption);
        for (const QString& note : std::as_const(line.notes)) {
            const QRegularExpressionMatch m = counted.match(note);
            if (!m.hasMatch())
                continue;
            Cursor word{note, m.capturedEnd(1)};
            word.skipBlanks();
            if (!isMeasure(readUnit(word))) {
                line.piecesBeside = amountValue(m.capturedView(1));
                break;
            }
        }
    }
    // "2 heads broccoli (3-4 cups florets)", "1 bunch kale (about 6 cups chopped)": heads and
    // bunches weigh what the grower grew; the cups the cook measured out are the surer amount.
    if (line.hasQuantity() && (line.unit == u"head" || line.unit == u"bunch")) {
        for (const QString& note : std::as_const(line.notes)) {
            QString noteRange;
            if (const auto cups = cupsOfNote(note, noteRange)) {
                std::tie(line.quantity, line.unit) = *cups;
                line.measures = noteRange.isEmpty()
                                    ? QString()
                                    : QStringLiteral("the middle of %1").arg(noteRange);
                break;
            }
        }
    }
    if (negative.hasMatch() || (line.quantity && !std::isfinite(*line.quantity)))
        line.quantity.reset();
    return line;
}

void servePerPerson(QList<IngredientLine>& lines, float servings)
{
    for (IngredientLine& line : lines) {
        if (!line.perPerson || !line.hasQuantity())
            continue;
        line.quantity = *line.quantity * servings;
        line.extraAmount *= servings;
        line.measures = QStringLiteral("each diner's, for ") + servingsText(servings);
    }
}

std::optional<double> readQuantity(QStringView text)
{
    Cursor cursor{plainFractions(text).simplified()};
    const std::optional<double> amount = readAmount(cursor);
    return cursor.at == cursor.text.size() && amount && std::isfinite(*amount) ? amount
                                                                               : std::nullopt;
}

std::optional<float> readYieldServings(QStringView yield)
{
    const std::optional<float> servings =
        readServingsLine(QString(QStringLiteral("makes ") + yield.trimmed()));
    return servings && *servings > 0 ? servings : std::nullopt;
}

// Whether a row is the rest of the ingredient line above it, which a laid-out page or a narrow
// column broke where the column ended: the line above stops on "and", "or", "and/or", "with" or
// a hyphen, or on a comma before a row in small letters ("12 ounces canned tuna," over "packed in
// water, drained"), or leaves a bracket open, or its food stops on a word cooks write only before
// a food ("1/2 cup shredded reduced-fat sharp" over "cheddar cheese"); or the row stands wholly in
// brackets ("(about 4 ounces each)"). The row itself gives no amount of its own and is no heading.
bool continuesLine(QStringView above, const QString& aboveFood, const IngredientLine& row)
{
    static const QRegularExpression openEnd(QStringLiteral("(?:\\b(?:and|or|and/or|with)|-)$"),
                                            QRegularExpression::CaseInsensitiveOption);
    // Words of a kind, a fat or salt content or a grind that name no food: a food follows them.
    // Words of cutting and packing ("chopped", "packed") are left out, as cooks also write them
    // after the food ("1 onion chopped").
    static const QRegularExpression foodFollows(
        QStringLiteral("(?:^|\\s)(?:unsweetened|sweetened|(?:extra-)?sharp|semi-?sweet|"
                       "bittersweet|extra-virgin|(?:dark|light)?\\s*brown|ground|plain|"
                       "self-r(?:ai|i)sing|all-purpose|whole-wheat|"
                       "(?:reduced|low|lower)-(?:fat|sodium|salt)|fat-free|non-?fat|low-?fat)$"),
        QRegularExpression::CaseInsensitiveOption);
    if (row.kind != LineKind::Ingredient || row.hasQuantity() || row.text.endsWith(u':'))
        return false;
    const QString& text = row.text;
    if (text.startsWith(u'(') && text.endsWith(u')'))
        return true;
    return openEnd.match(above).hasMatch() || above.count(u'(') > above.count(u')') ||
           (above.endsWith(u',') && text.front().isLower()) ||
           (above.endsWith(aboveFood) && foodFollows.match(aboveFood).hasMatch());
}

RecipeText readRecipeText(QStringView text, bool titled)
{
    static const QRegularExpression directionsHeading(
        QStringLiteral("^(?:directions|instructions|method|preparation|steps|procedure)\\s*:?$"),
        QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression noAmountNote(
        QStringLiteral("\\b(?:to taste|for garnish|for serving|as needed|optional)\\b"),
        QRegularExpression::CaseInsensitiveOption);
    // A line broken in more pieces than this is no line a column broke: its rows stand apart.
    static constexpr int mostRowsJoined = 4;
    RecipeText recipe;
    const QList<QStringView> rows = text.split(u'\n');
    bool titleOpen = titled;
    recipe.lines.reserve(rows.size());
    // A long text repeats its lines: each is read once, and copied from where it first stands.
    QHash<QStringView, qsizetype> read;
    // The ingredient line last read, as its rows joined give it, and how many rows it took.
    QString lastLine;
    QStringView lastRow;
    int lastRows = 0;
    for (qsizetype i = 0; i < rows.size(); ++i) {
        const QStringView row = rows[i].trimmed();
        if (const std::optional<float> servings = readServingsLine(row)) {
            if (*servings > 0)
                recipe.servings = *servings;
            continue;
        }
        // One amount for each of several foods is a line for each: an ingredient, never a title.
        if (const QStringList eachFood = linesOfEachFood(row); eachFood.size() > 1) {
            titleOpen = false;
            for (const QString& food : eachFood)
                recipe.lines.append(readIngredientLine(food));
            continue;
        }
        const auto known = read.constFind(row);
        IngredientLine line =
            known == read.cend() ? readIngredientLine(row) : recipe.lines.at(*known);
        if (!titleOpen && lastRows > 0 && lastRows < mostRowsJoined &&
            continuesLine(lastLine, recipe.lines.back().food, line)) {
            // The row above now reads as more than itself: met again, it is read anew.
            if (read.value(lastRow, -1) == recipe.lines.size() - 1)
                read.remove(lastRow);
            lastLine += u' ' + line.text;
            ++lastRows;
            recipe.lines.back() = readIngredientLine(lastLine);
            continue;
        }
        if (titleOpen && line.kind != LineKind::Blank) {
            titleOpen = false;
            // "A simple lemon cake" over the list is its title, as "a smoked chicken" in it is one
            // of the food: an article alone is no amount a title can have.
            static const QRegularExpression article(QStringLiteral("^an?\\s"),
                                                    QRegularExpression::CaseInsensitiveOption);
            // Nor is a word that measures a food at its head: "Rack of lamb, potato and pepper
            // tray roast", "Pot roast with tomato gravy" read as one rack and one pot.
            Cursor head{row.toString()};
            const bool counts = line.hasQuantity() &&
                                !(line.unit.isEmpty() && article.match(row).hasMatch()) &&
                                readUnit(head).isEmpty();
            const bool title = !counts && !row.endsWith(u':') &&
                               !noAmountNote.match(row).hasMatch() && !namesAPart(row);
            if (title) {
                recipe.title = line.text;
                continue;
            }
        }
        if (directionsHeading.match(row).hasMatch()) {
            QStringList directions;
            for (qsizetype j = i + 1; j < rows.size(); ++j)
                directions.append(rows[j].trimmed().toString());
            recipe.directions = directions.join(u'\n').trimmed();
            break;
        }
        if (known == read.cend())
            read.insert(row, recipe.lines.size());
        const bool ingredient = line.kind == LineKind::Ingredient;
        lastLine = ingredient ? line.text : QString();
        lastRow = row;
        lastRows = ingredient ? 1 : 0;
        recipe.lines.append(std::move(line));
    }
    // Blank lines at either end separate nothing.
    while (!recipe.lines.isEmpty() && recipe.lines.back().kind == LineKind::Blank)
        recipe.lines.removeLast();
    while (!recipe.lines.isEmpty() && recipe.lines.front().kind == LineKind::Blank)
        recipe.lines.removeFirst();
    return recipe;
}

} // namespace zestora::paste
