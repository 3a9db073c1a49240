#pragma once

#include "DisplayFormat.h"
#include "Expression.h"

#include <QList>
#include <QString>

#include <memory>

namespace report {

// A memo's text split into literal text and expressions: "Toplam: [SUM(...)]".
// An expression may carry its own format after " #": [<x> #n%2.2f],
// [<d> #ddd.mm.yyyy] ("n" numeric, "d" date, "b" boolean).
class MemoText {
public:
    struct Part {
        QString literal;                          // when there is no expression
        QString source;                           // the expression's text
        std::shared_ptr<Expression> expression;   // null when it did not parse
        QString parseError;
        bool hasFormat = false;
        DisplayFormat format;
    };

    // delimiters: the memo's ExpressionDelimiters, "[,]" by default.
    static MemoText compile(const QString& text, const QString& delimiters = QStringLiteral("[,]"));
    // Literal text only (memos that allow no expressions).
    static MemoText literal(const QString& text);

    const QList<Part>& parts() const { return parts_; }
    bool usesTotalPages() const;

private:
    QList<Part> parts_;
};

}  // namespace report
