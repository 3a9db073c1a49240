#include "Expression.h"

#include "DisplayFormat.h"

#include <QRegularExpression>

#include <cmath>
#include <functional>

namespace report {

EvaluationError::EvaluationError(const QString& message)
    : std::runtime_error(message.toStdString()), message_(message)
{
}

ExpressionContext::~ExpressionContext() = default;

class ExpressionNode {
public:
    virtual ~ExpressionNode() = default;
    virtual QVariant evaluate(ExpressionContext& context) const = 0;
};

AggregateCall::AggregateCall(Function function, std::shared_ptr<const ExpressionNode> argument, QString bandName,
                             int flags)
    : function_(function), argument_(std::move(argument)), bandName_(std::move(bandName)), flags_(flags)
{
}

QVariant AggregateCall::rowValue(ExpressionContext& context) const
{
    return argument_ ? argument_->evaluate(context) : QVariant(1);
}

Expression::~Expression() = default;

QVariant Expression::evaluate(ExpressionContext& context) const
{
    return root_->evaluate(context);
}

namespace {

using Node = std::shared_ptr<const ExpressionNode>;

// ---- values -------------------------------------------------------------

bool isText(const QVariant& v)
{
    return v.typeId() == QMetaType::QString || v.typeId() == QMetaType::QChar;
}

bool isBool(const QVariant& v)
{
    return v.typeId() == QMetaType::Bool;
}

double toNumber(const QVariant& v, const char* operation)
{
    if (isNullValue(v))
        return 0;
    if (isNumericValue(v) || isBool(v))
        return v.toDouble();
    if (isText(v)) {
        bool ok = false;
        double number = v.toString().trimmed().toDouble(&ok);
        if (!ok)
            number = QLocale().toDouble(v.toString().trimmed(), &ok);
        if (ok)
            return number;
    }
    throw EvaluationError(QStringLiteral("\"%1\" %2 içinde kullanılamaz").arg(v.toString().left(40), QLatin1String(operation)));
}

bool integral(const QVariant& v)
{
    return isNullValue(v) || isIntegralValue(v) || isBool(v);
}

QVariant numberResult(double value)
{
    if (!std::isfinite(value))
        throw EvaluationError(QStringLiteral("sonuç sonlu bir sayı değil"));
    return value;
}

int compareValues(const QVariant& a, const QVariant& b)
{
    const bool nullA = isNullValue(a);
    const bool nullB = isNullValue(b);
    if (nullA && nullB)
        return 0;
    // NULL stands for the empty value of the other side's kind.
    if (nullA)
        return -compareValues(b, a);
    if (nullB) {
        if (isText(a))
            return a.toString().isEmpty() ? 0 : 1;
        if (isDateValue(a))
            return 1;
        const double x = toNumber(a, "karşılaştırma");
        return x < 0 ? -1 : x > 0 ? 1 : 0;
    }
    if (isDateValue(a) && isDateValue(b)) {
        const QDateTime x = toDateTime(a);
        const QDateTime y = toDateTime(b);
        return x < y ? -1 : x > y ? 1 : 0;
    }
    if (isText(a) && isText(b))
        return a.toString().compare(b.toString());
    if ((isNumericValue(a) || isBool(a)) && (isNumericValue(b) || isBool(b))) {
        const double x = a.toDouble();
        const double y = b.toDouble();
        return x < y ? -1 : x > y ? 1 : 0;
    }
    // Text against a number: numerically when the text is a number.
    bool okA = false;
    bool okB = false;
    const double x = a.toString().trimmed().toDouble(&okA);
    const double y = b.toString().trimmed().toDouble(&okB);
    if (okA && okB)
        return x < y ? -1 : x > y ? 1 : 0;
    return defaultText(a).compare(defaultText(b));
}

bool truth(const QVariant& v)
{
    if (isNullValue(v))
        return false;
    if (isText(v)) {
        const QString text = v.toString().trimmed();
        return text.compare(QLatin1String("true"), Qt::CaseInsensitive) == 0 || (text.toDouble() != 0);
    }
    return v.toBool();
}

// ---- nodes --------------------------------------------------------------

class Constant : public ExpressionNode {
public:
    explicit Constant(QVariant value) : value_(std::move(value)) {}
    QVariant evaluate(ExpressionContext&) const override { return value_; }

private:
    QVariant value_;
};

class FieldReference : public ExpressionNode {
public:
    FieldReference(QString alias, QString field) : alias_(std::move(alias)), field_(std::move(field)) {}
    QVariant evaluate(ExpressionContext& context) const override { return context.fieldValue(alias_, field_); }

private:
    QString alias_;
    QString field_;
};

class NamedValue : public ExpressionNode {
public:
    explicit NamedValue(QString name) : name_(std::move(name)) {}
    QVariant evaluate(ExpressionContext& context) const override { return context.namedValue(name_); }

private:
    QString name_;
};

class Aggregate : public ExpressionNode {
public:
    explicit Aggregate(const AggregateCall* call) : call_(call) {}
    QVariant evaluate(ExpressionContext& context) const override { return context.aggregateValue(*call_); }

private:
    const AggregateCall* call_;
};

enum class Operator { Add, Subtract, Multiply, Divide, IntDivide, Modulo, And, Or, Xor,
                      Equal, NotEqual, Less, Greater, LessOrEqual, GreaterOrEqual, Negate, Not };

class Unary : public ExpressionNode {
public:
    Unary(Operator op, Node operand) : op_(op), operand_(std::move(operand)) {}
    QVariant evaluate(ExpressionContext& context) const override
    {
        const QVariant value = operand_->evaluate(context);
        if (op_ == Operator::Not) {
            if (isIntegralValue(value))
                return ~value.toLongLong();
            return !truth(value);
        }
        if (isNullValue(value))
            return {};
        if (isIntegralValue(value))
            return -value.toLongLong();
        return numberResult(-toNumber(value, "eksi işareti"));
    }

private:
    Operator op_;
    Node operand_;
};

class Binary : public ExpressionNode {
public:
    Binary(Operator op, Node left, Node right) : op_(op), left_(std::move(left)), right_(std::move(right)) {}

    QVariant evaluate(ExpressionContext& context) const override
    {
        const QVariant a = left_->evaluate(context);
        const QVariant b = right_->evaluate(context);
        switch (op_) {
        case Operator::Add: return add(a, b);
        case Operator::Subtract: return subtract(a, b);
        case Operator::Multiply:
            if (isNullValue(a) && isNullValue(b))
                return {};
            if (integral(a) && integral(b))
                return a.toLongLong() * b.toLongLong();
            return numberResult(toNumber(a, "çarpma") * toNumber(b, "çarpma"));
        case Operator::Divide: {
            if (isNullValue(a) && isNullValue(b))
                return {};
            const double divisor = toNumber(b, "bölme");
            if (divisor == 0)
                throw EvaluationError(QStringLiteral("sıfıra bölme"));
            return numberResult(toNumber(a, "bölme") / divisor);
        }
        case Operator::IntDivide:
        case Operator::Modulo: {
            const qlonglong divisor = qlonglong(toNumber(b, "tam sayı bölmesi"));
            if (divisor == 0)
                throw EvaluationError(QStringLiteral("sıfıra bölme"));
            const qlonglong dividend = qlonglong(toNumber(a, "tam sayı bölmesi"));
            return op_ == Operator::IntDivide ? dividend / divisor : dividend % divisor;
        }
        case Operator::And:
        case Operator::Or:
        case Operator::Xor:
            if (isIntegralValue(a) && isIntegralValue(b)) {
                const qlonglong x = a.toLongLong();
                const qlonglong y = b.toLongLong();
                return op_ == Operator::And ? (x & y) : op_ == Operator::Or ? (x | y) : (x ^ y);
            }
            return op_ == Operator::And ? (truth(a) && truth(b))
                 : op_ == Operator::Or  ? (truth(a) || truth(b))
                                        : (truth(a) != truth(b));
        case Operator::Equal: return compareValues(a, b) == 0;
        case Operator::NotEqual: return compareValues(a, b) != 0;
        case Operator::Less: return compareValues(a, b) < 0;
        case Operator::Greater: return compareValues(a, b) > 0;
        case Operator::LessOrEqual: return compareValues(a, b) <= 0;
        case Operator::GreaterOrEqual: return compareValues(a, b) >= 0;
        default: return {};
        }
    }

private:
    static QVariant add(const QVariant& a, const QVariant& b)
    {
        if (isNullValue(a) && isNullValue(b))
            return {};
        // A missing amount counts as nothing, so a NULL cash total does not
        // blank out the sum of cash and card.
        if (isText(a) || isText(b))
            return defaultText(a) + defaultText(b);
        if (isDateValue(a) && !isDateValue(b))
            return toDateTime(a).addMSecs(qint64(std::llround(toNumber(b, "tarih toplamı") * 86400000.0)));
        if (isDateValue(b) && !isDateValue(a))
            return toDateTime(b).addMSecs(qint64(std::llround(toNumber(a, "tarih toplamı") * 86400000.0)));
        if (isDateValue(a) || isDateValue(b))
            throw EvaluationError(QStringLiteral("iki tarih toplanamaz"));
        if (integral(a) && integral(b))
            return a.toLongLong() + b.toLongLong();
        return numberResult(toNumber(a, "toplama") + toNumber(b, "toplama"));
    }

    static QVariant subtract(const QVariant& a, const QVariant& b)
    {
        if (isNullValue(a) && isNullValue(b))
            return {};
        if (isDateValue(a) && isDateValue(b))
            return toDateTime(b).msecsTo(toDateTime(a)) / 86400000.0;
        if (isDateValue(a))
            return toDateTime(a).addMSecs(-qint64(std::llround(toNumber(b, "tarih farkı") * 86400000.0)));
        if (integral(a) && integral(b))
            return a.toLongLong() - b.toLongLong();
        return numberResult(toNumber(a, "çıkarma") - toNumber(b, "çıkarma"));
    }

    Operator op_;
    Node left_;
    Node right_;
};

class Conditional : public ExpressionNode {
public:
    Conditional(Node condition, Node whenTrue, Node whenFalse)
        : condition_(std::move(condition)), whenTrue_(std::move(whenTrue)), whenFalse_(std::move(whenFalse))
    {
    }
    QVariant evaluate(ExpressionContext& context) const override
    {
        return truth(condition_->evaluate(context)) ? whenTrue_->evaluate(context) : whenFalse_->evaluate(context);
    }

private:
    Node condition_;
    Node whenTrue_;
    Node whenFalse_;
};

using Function = std::function<QVariant(const QList<QVariant>&, ExpressionContext&)>;

class Call : public ExpressionNode {
public:
    Call(Function function, QList<Node> arguments) : function_(std::move(function)), arguments_(std::move(arguments)) {}
    QVariant evaluate(ExpressionContext& context) const override
    {
        QList<QVariant> values;
        for (const Node& argument : arguments_)
            values.append(argument->evaluate(context));
        return function_(values, context);
    }

private:
    Function function_;
    QList<Node> arguments_;
};

struct FunctionInfo {
    int minArguments;
    int maxArguments;
    Function function;
};

qlonglong toInteger(const QVariant& v, const char* what)
{
    return qlonglong(std::llround(toNumber(v, what)));
}

const QHash<QString, FunctionInfo>& functions()
{
    static const QHash<QString, FunctionInfo> table = {
        {QStringLiteral("formatdatetime"), {2, 2, [](const QList<QVariant>& a, ExpressionContext& c) -> QVariant {
             if (isNullValue(a[1]))
                 return QString();
             if (!isDateValue(a[1]))
                 throw EvaluationError(QStringLiteral("FormatDateTime bir tarih ister"));
             return formatDateTime(a[0].toString(), toDateTime(a[1]), c.locale());
         }}},
        {QStringLiteral("formatfloat"), {2, 2, [](const QList<QVariant>& a, ExpressionContext& c) -> QVariant {
             if (isNullValue(a[1]))
                 return QString();
             return formatPicture(toNumber(a[1], "FormatFloat"), a[0].toString(), {}, {}, c.locale());
         }}},
        {QStringLiteral("copy"), {3, 3, [](const QList<QVariant>& a, ExpressionContext& c) -> QVariant {
             const QString text = defaultText(a[0], c.locale());
             const qlonglong index = std::max<qlonglong>(1, toInteger(a[1], "Copy"));
             const qlonglong count = std::max<qlonglong>(0, toInteger(a[2], "Copy"));
             if (index > text.size())
                 return QString();
             return text.mid(index - 1, std::min<qlonglong>(count, text.size()));
         }}},
        {QStringLiteral("length"), {1, 1, [](const QList<QVariant>& a, ExpressionContext& c) -> QVariant {
             return qlonglong(defaultText(a[0], c.locale()).size());
         }}},
        {QStringLiteral("pos"), {2, 2, [](const QList<QVariant>& a, ExpressionContext& c) -> QVariant {
             return qlonglong(defaultText(a[1], c.locale()).indexOf(defaultText(a[0], c.locale())) + 1);
         }}},
        {QStringLiteral("uppercase"), {1, 1, [](const QList<QVariant>& a, ExpressionContext& c) -> QVariant {
             return c.locale().toUpper(defaultText(a[0], c.locale()));
         }}},
        {QStringLiteral("lowercase"), {1, 1, [](const QList<QVariant>& a, ExpressionContext& c) -> QVariant {
             return c.locale().toLower(defaultText(a[0], c.locale()));
         }}},
        {QStringLiteral("trim"), {1, 1, [](const QList<QVariant>& a, ExpressionContext& c) -> QVariant {
             return defaultText(a[0], c.locale()).trimmed();
         }}},
        {QStringLiteral("inttostr"), {1, 1, [](const QList<QVariant>& a, ExpressionContext&) -> QVariant {
             return QString::number(toInteger(a[0], "IntToStr"));
         }}},
        {QStringLiteral("floattostr"), {1, 1, [](const QList<QVariant>& a, ExpressionContext& c) -> QVariant {
             return defaultText(toNumber(a[0], "FloatToStr"), c.locale());
         }}},
        {QStringLiteral("datetostr"), {1, 1, [](const QList<QVariant>& a, ExpressionContext& c) -> QVariant {
             return isDateValue(a[0]) ? c.locale().toString(toDateTime(a[0]).date(), QLocale::ShortFormat) : QString();
         }}},
        {QStringLiteral("timetostr"), {1, 1, [](const QList<QVariant>& a, ExpressionContext&) -> QVariant {
             return isDateValue(a[0]) ? toDateTime(a[0]).time().toString(QStringLiteral("HH:mm:ss")) : QString();
         }}},
        {QStringLiteral("round"), {1, 1, [](const QList<QVariant>& a, ExpressionContext&) -> QVariant {
             // Delphi rounds halves to the even neighbour.
             return qlonglong(std::nearbyint(toNumber(a[0], "Round")));
         }}},
        {QStringLiteral("trunc"), {1, 1, [](const QList<QVariant>& a, ExpressionContext&) -> QVariant {
             return qlonglong(std::trunc(toNumber(a[0], "Trunc")));
         }}},
        {QStringLiteral("abs"), {1, 1, [](const QList<QVariant>& a, ExpressionContext&) -> QVariant {
             if (isIntegralValue(a[0]))
                 return std::abs(a[0].toLongLong());
             return std::abs(toNumber(a[0], "Abs"));
         }}},
    };
    return table;
}

}  // namespace

// ---- parser -------------------------------------------------------------

class ExpressionParser {
public:
    ExpressionParser(const QString& text, Expression& target) : s_(text), target_(target) {}

    Node parseAll()
    {
        Node node = parseComparison();
        skipSpaces();
        if (pos_ < s_.size())
            throw EvaluationError(QStringLiteral("%2. konumda beklenmeyen \"%1\"").arg(s_.mid(pos_, 10)).arg(pos_ + 1));
        return node;
    }

private:
    struct Depth {
        explicit Depth(ExpressionParser& parser) : parser_(parser)
        {
            // Each bracket level costs four steps; this allows about a hundred.
            if (++parser_.depth_ > 400)
                throw EvaluationError(QStringLiteral("ifade çok derin iç içe"));
        }
        ~Depth() { --parser_.depth_; }
        ExpressionParser& parser_;
    };

    static bool isNameStart(QChar c) { return c.isLetter() || c == u'_'; }
    static bool isNameChar(QChar c) { return c.isLetterOrNumber() || c == u'_'; }

    void skipSpaces()
    {
        while (pos_ < s_.size() && s_[pos_].isSpace())
            ++pos_;
    }

    bool peek(QChar c)
    {
        skipSpaces();
        return pos_ < s_.size() && s_[pos_] == c;
    }

    bool take(const char* symbol)
    {
        skipSpaces();
        const QLatin1String text(symbol);
        if (s_.mid(pos_, text.size()) != text)
            return false;
        pos_ += int(text.size());
        return true;
    }

    bool takeWord(const char* word)
    {
        skipSpaces();
        const QLatin1String text(word);
        if (s_.mid(pos_, text.size()).compare(text, Qt::CaseInsensitive) != 0)
            return false;
        const int end = pos_ + int(text.size());
        if (end < s_.size() && isNameChar(s_[end]))
            return false;
        pos_ = end;
        return true;
    }

    void expect(QChar c)
    {
        skipSpaces();
        if (pos_ >= s_.size() || s_[pos_] != c)
            throw EvaluationError(QStringLiteral("%2. konumda \"%1\" bekleniyordu").arg(c).arg(pos_ + 1));
        ++pos_;
    }

    Node parseComparison()
    {
        Depth depth(*this);
        Node left = parseAdditive();
        skipSpaces();
        static const std::pair<const char*, Operator> operators[] = {
            {"<>", Operator::NotEqual}, {"<=", Operator::LessOrEqual}, {">=", Operator::GreaterOrEqual},
            {"=", Operator::Equal},     {"<", Operator::Less},         {">", Operator::Greater}};
        for (const auto& [symbol, op] : operators) {
            if (take(symbol))
                return std::make_shared<Binary>(op, left, parseAdditive());
        }
        return left;
    }

    Node parseAdditive()
    {
        Depth depth(*this);
        Node left = parseMultiplicative();
        for (;;) {
            Operator op;
            if (take("+")) op = Operator::Add;
            else if (take("-")) op = Operator::Subtract;
            else if (takeWord("or")) op = Operator::Or;
            else if (takeWord("xor")) op = Operator::Xor;
            else return left;
            countNode();
            left = std::make_shared<Binary>(op, left, parseMultiplicative());
        }
    }

    Node parseMultiplicative()
    {
        Depth depth(*this);
        Node left = parseUnary();
        for (;;) {
            Operator op;
            if (take("*")) op = Operator::Multiply;
            else if (take("/")) op = Operator::Divide;
            else if (takeWord("div")) op = Operator::IntDivide;
            else if (takeWord("mod")) op = Operator::Modulo;
            else if (takeWord("and")) op = Operator::And;
            else return left;
            countNode();
            left = std::make_shared<Binary>(op, left, parseUnary());
        }
    }

    Node parseUnary()
    {
        Depth depth(*this);
        if (take("-"))
            return std::make_shared<Unary>(Operator::Negate, parseUnary());
        if (take("+"))
            return parseUnary();
        if (takeWord("not"))
            return std::make_shared<Unary>(Operator::Not, parseUnary());
        return parsePrimary();
    }

    // A long chain of operators builds a deep tree that evaluation walks
    // recursively; bound it well above anything a person writes.
    void countNode()
    {
        if (++nodes_ > 5000)
            throw EvaluationError(QStringLiteral("ifade çok uzun"));
    }

    Node parsePrimary()
    {
        countNode();
        skipSpaces();
        if (pos_ >= s_.size())
            throw EvaluationError(QStringLiteral("ifade erken bitiyor"));
        const QChar c = s_[pos_];
        if (c == u'(') {
            ++pos_;
            Node inner = parseComparison();
            expect(u')');
            return inner;
        }
        if (c == u'[') {
            ++pos_;
            Node inner = parseComparison();
            expect(u']');
            return inner;
        }
        if (c == u'<')
            return parseBracketed();
        if (c == u'\'' || c == u'#')
            return parseString();
        if (c == u'"')
            return std::make_shared<Constant>(readQuoted(u'"'));
        if (c.isDigit() || (c == u'.' && pos_ + 1 < s_.size() && s_[pos_ + 1].isDigit()))
            return parseNumber();
        if (isNameStart(c)) {
            if (Node field = tryField())
                return field;
            return parseName();
        }
        throw EvaluationError(QStringLiteral("%2. konumda beklenmeyen \"%1\"").arg(c).arg(pos_ + 1));
    }

    QString readQuoted(QChar quote)
    {
        QString text;
        ++pos_;
        while (pos_ < s_.size()) {
            if (s_[pos_] == quote) {
                if (quote == u'\'' && pos_ + 1 < s_.size() && s_[pos_ + 1] == quote) {
                    text += quote;
                    pos_ += 2;
                    continue;
                }
                ++pos_;
                return text;
            }
            text += s_[pos_++];
        }
        throw EvaluationError(QStringLiteral("kapanmamış metin"));
    }

    Node parseString()
    {
        // Pascal strings: 'it''s' and character codes #13#10, joined when adjacent.
        QString text;
        while (pos_ < s_.size() && (s_[pos_] == u'\'' || s_[pos_] == u'#')) {
            if (s_[pos_] == u'\'') {
                text += readQuoted(u'\'');
            } else {
                ++pos_;
                const int start = pos_;
                while (pos_ < s_.size() && s_[pos_].isDigit())
                    ++pos_;
                if (start == pos_)
                    throw EvaluationError(QStringLiteral("# işaretinden sonra karakter kodu bekleniyordu"));
                const uint code = s_.mid(start, pos_ - start).toUInt();
                if (code > 0xFFFF)
                    throw EvaluationError(QStringLiteral("karakter kodu sınırların dışında"));
                text += QChar(char16_t(code));
            }
        }
        return std::make_shared<Constant>(text);
    }

    Node parseNumber()
    {
        static const QRegularExpression number(QStringLiteral("\\d*\\.?\\d+(?:[eE][+-]?\\d+)?|\\d+\\.?"));
        const QRegularExpressionMatch m = number.match(s_, pos_, QRegularExpression::NormalMatch,
                                                       QRegularExpression::AnchorAtOffsetMatchOption);
        const QString text = m.captured(0);
        pos_ += int(text.size());
        if (!text.contains(QLatin1Char('.')) && !text.contains(QLatin1Char('e'), Qt::CaseInsensitive)) {
            bool ok = false;
            const qlonglong integer = text.toLongLong(&ok);
            if (ok)
                return std::make_shared<Constant>(integer);
        }
        return std::make_shared<Constant>(text.toDouble());
    }

    // <Ds_1."FIELD">, or a named value in angle brackets: <Page#>, <Date>.
    Node parseBracketed()
    {
        const int start = pos_ + 1;
        int i = start;
        bool quoted = false;
        while (i < s_.size() && (quoted || s_[i] != u'>')) {
            if (s_[i] == u'"')
                quoted = !quoted;
            ++i;
        }
        if (i >= s_.size())
            throw EvaluationError(QStringLiteral("\"<\" işaretinden sonra \">\" bekleniyordu"));
        const QString inner = s_.mid(start, i - start).trimmed();
        pos_ = i + 1;
        static const QRegularExpression field(QStringLiteral("^(.+?)\\s*\\.\\s*\"(.*)\"$"),
                                              QRegularExpression::DotMatchesEverythingOption);
        const QRegularExpressionMatch m = field.match(inner);
        if (m.hasMatch())
            return std::make_shared<FieldReference>(m.captured(1).trimmed(), m.captured(2));
        if (inner.isEmpty())
            throw EvaluationError(QStringLiteral("\"<>\" içinde ad boş"));
        return makeName(inner);
    }

    // Ds_1."FIELD" or an alias with blanks, My data."FIELD".
    Node tryField()
    {
        static const QRegularExpression field(QStringLiteral("([^\"'()\\[\\]<>+\\-*/,=;#]+?)\\s*\\.\\s*\"([^\"]*)\""));
        const QRegularExpressionMatch m = field.match(s_, pos_, QRegularExpression::NormalMatch,
                                                      QRegularExpression::AnchorAtOffsetMatchOption);
        if (!m.hasMatch())
            return {};
        const QString alias = m.captured(1).trimmed();
        // "not Ds_1" is an operator before an alias, not an alias with a blank.
        static const QStringList keywords = {QStringLiteral("not"), QStringLiteral("and"), QStringLiteral("or"),
                                             QStringLiteral("xor"), QStringLiteral("div"), QStringLiteral("mod")};
        const QString firstWord = alias.section(QLatin1Char(' '), 0, 0).toLower();
        if (alias.contains(QLatin1Char(' ')) && keywords.contains(firstWord))
            return {};
        pos_ = int(m.capturedEnd());
        return std::make_shared<FieldReference>(alias, m.captured(2));
    }

    Node makeName(const QString& name)
    {
        if (name.compare(QLatin1String("TotalPages#"), Qt::CaseInsensitive) == 0
            || name.compare(QLatin1String("TotalPages"), Qt::CaseInsensitive) == 0)
            target_.usesTotalPages_ = true;
        return std::make_shared<NamedValue>(name);
    }

    QString readName()
    {
        skipSpaces();
        const int start = pos_;
        if (pos_ >= s_.size() || !isNameStart(s_[pos_]))
            throw EvaluationError(QStringLiteral("%1. konumda ad bekleniyordu").arg(pos_ + 1));
        while (pos_ < s_.size() && isNameChar(s_[pos_]))
            ++pos_;
        if (pos_ < s_.size() && s_[pos_] == u'#')
            ++pos_;
        return s_.mid(start, pos_ - start);
    }

    Node parseName()
    {
        const QString name = readName();
        const QString lower = name.toLower();
        if (!peek(u'(')) {
            if (lower == QLatin1String("true"))
                return std::make_shared<Constant>(true);
            if (lower == QLatin1String("false"))
                return std::make_shared<Constant>(false);
            if (lower == QLatin1String("null") || lower == QLatin1String("nil"))
                return std::make_shared<Constant>(QVariant());
            if (lower == QLatin1String("count"))  // COUNT without brackets is not an aggregate
                throw EvaluationError(QStringLiteral("COUNT bir bant adı ister"));
            return makeName(name);
        }
        expect(u'(');
        static const QHash<QString, AggregateCall::Function> aggregates = {
            {QStringLiteral("sum"), AggregateCall::Function::Sum},
            {QStringLiteral("avg"), AggregateCall::Function::Avg},
            {QStringLiteral("min"), AggregateCall::Function::Min},
            {QStringLiteral("max"), AggregateCall::Function::Max},
            {QStringLiteral("count"), AggregateCall::Function::Count}};
        if (aggregates.contains(lower))
            return parseAggregate(aggregates.value(lower));
        QList<Node> arguments;
        if (!peek(u')')) {
            do {
                arguments.append(parseComparison());
            } while (take(","));
        }
        expect(u')');
        if (lower == QLatin1String("iif")) {
            if (arguments.size() != 3)
                throw EvaluationError(QStringLiteral("IIF üç değer ister"));
            return std::make_shared<Conditional>(arguments[0], arguments[1], arguments[2]);
        }
        const auto found = functions().constFind(lower);
        if (found == functions().constEnd())
            throw EvaluationError(QStringLiteral("bilinmeyen işlev %1").arg(name));
        if (arguments.size() < found->minArguments || arguments.size() > found->maxArguments)
            throw EvaluationError(QStringLiteral("%1 için değer sayısı yanlış").arg(name));
        return std::make_shared<Call>(found->function, arguments);
    }

    Node parseAggregate(AggregateCall::Function function)
    {
        Node argument;
        QString band;
        int flags = 0;
        if (function != AggregateCall::Function::Count) {
            argument = parseComparison();
            if (take(","))
                band = readName();
        } else if (!peek(u')')) {
            band = readName();
        }
        if (take(",")) {
            skipSpaces();
            const int start = pos_;
            while (pos_ < s_.size() && s_[pos_].isDigit())
                ++pos_;
            flags = s_.mid(start, pos_ - start).toInt();
        }
        expect(u')');
        target_.aggregates_.push_back(std::make_unique<AggregateCall>(function, argument, band, flags));
        return std::make_shared<Aggregate>(target_.aggregates_.back().get());
    }

    QString s_;
    Expression& target_;
    int pos_ = 0;
    int depth_ = 0;
    int nodes_ = 0;
};

std::unique_ptr<Expression> Expression::parse(const QString& text, QString* error)
{
    std::unique_ptr<Expression> expression(new Expression);
    expression->text_ = text;
    try {
        ExpressionParser parser(text, *expression);
        expression->root_ = parser.parseAll();
    } catch (const EvaluationError& e) {
        if (error)
            *error = e.message();
        return nullptr;
    }
    return expression;
}

}  // namespace report
