#pragma once

#include <QLocale>
#include <QString>
#include <QVariant>

#include <memory>
#include <stdexcept>
#include <vector>

namespace report {

// Why an expression could not be evaluated; the memo then prints nothing there.
class EvaluationError : public std::runtime_error {
public:
    explicit EvaluationError(const QString& message);
    QString message() const { return message_; }

private:
    QString message_;
};

class AggregateCall;

// What an expression reads while it is evaluated: fields of the datasets,
// named values (Date, Page#, report variables) and the running aggregates.
// Each lookup throws EvaluationError for a name it does not know.
class ExpressionContext {
public:
    virtual ~ExpressionContext();
    virtual QVariant fieldValue(const QString& alias, const QString& field) = 0;
    virtual QVariant namedValue(const QString& name) = 0;
    virtual QVariant aggregateValue(const AggregateCall& call) = 0;
    virtual QLocale locale() const { return QLocale(); }
};

class ExpressionNode;

// SUM(<expr>, Band), COUNT(Band), AVG, MIN and MAX over the rows a data band
// printed. The optional last argument holds flags: 1 also counts rows of an
// invisible band, 2 keeps a running total that is never reset.
class AggregateCall {
public:
    enum class Function { Sum, Count, Avg, Min, Max };

    AggregateCall(Function function, std::shared_ptr<const ExpressionNode> argument, QString bandName, int flags);

    Function function() const { return function_; }
    // Empty when the call names no band: the data band its own band belongs to.
    QString bandName() const { return bandName_; }
    int flags() const { return flags_; }
    bool isRunningTotal() const { return flags_ & 2; }
    // The value the current row adds (1 for COUNT).
    QVariant rowValue(ExpressionContext& context) const;

private:
    Function function_;
    std::shared_ptr<const ExpressionNode> argument_;
    QString bandName_;
    int flags_;
};

// An expression of a template, in the Pascal-like syntax of report designers:
// fields [Ds_1."FIELD"] and <Ds_1."FIELD"> (the alias may contain blanks),
// numbers, 'strings', + - * / div mod, comparisons, and or not, parentheses,
// system values (Date, Time, Now, Page, Page#, TotalPages#, Line#),
// aggregates and the functions FormatDateTime, FormatFloat, Copy, Length, Pos,
// UpperCase, LowerCase, Trim, IntToStr, FloatToStr, DateToStr, TimeToStr,
// Round, Trunc, Abs and IIF. Names are matched without regard to case.
class Expression {
public:
    ~Expression();

    // nullptr and a message when the text is not an expression.
    static std::unique_ptr<Expression> parse(const QString& text, QString* error);

    // Throws EvaluationError.
    QVariant evaluate(ExpressionContext& context) const;

    QString text() const { return text_; }
    const std::vector<std::unique_ptr<AggregateCall>>& aggregates() const { return aggregates_; }
    // Needs the page count, so the report is laid out twice.
    bool usesTotalPages() const { return usesTotalPages_; }

private:
    Expression() = default;
    friend class ExpressionParser;

    QString text_;
    std::shared_ptr<const ExpressionNode> root_;
    std::vector<std::unique_ptr<AggregateCall>> aggregates_;
    bool usesTotalPages_ = false;
};

}  // namespace report
