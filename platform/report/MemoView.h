#pragma once

#include "ReportView.h"

namespace report {

// A text box. Its text mixes literal text with expressions in [...], which are
// evaluated for every print of its band and shown in its display format.
class MemoView : public ReportView {
    Q_OBJECT
    Q_PROPERTY(QString text MEMBER text_ NOTIFY changed)
    Q_PROPERTY(HAlign hAlign MEMBER hAlign_ NOTIFY changed)
    Q_PROPERTY(VAlign vAlign MEMBER vAlign_ NOTIFY changed)
    Q_PROPERTY(bool wordWrap MEMBER wordWrap_ NOTIFY changed)
    Q_PROPERTY(bool autoWidth MEMBER autoWidth_ NOTIFY changed)
    Q_PROPERTY(double gapX MEMBER gapX_ NOTIFY changed)
    Q_PROPERTY(double gapY MEMBER gapY_ NOTIFY changed)
    Q_PROPERTY(double lineSpacing MEMBER lineSpacing_ NOTIFY changed)
    Q_PROPERTY(StretchMode stretchMode MEMBER stretchMode_ NOTIFY changed)
    Q_PROPERTY(FormatKind displayFormatKind MEMBER displayFormatKind_ NOTIFY changed)
    Q_PROPERTY(QString displayFormat MEMBER displayFormat_ NOTIFY changed)
    Q_PROPERTY(QString decimalSeparator MEMBER decimalSeparator_ NOTIFY changed)
    Q_PROPERTY(QString thousandSeparator MEMBER thousandSeparator_ NOTIFY changed)
    Q_PROPERTY(bool hideZeros MEMBER hideZeros_ NOTIFY changed)
    Q_PROPERTY(bool allowExpressions MEMBER allowExpressions_ NOTIFY changed)
    Q_PROPERTY(QString expressionDelimiters MEMBER expressionDelimiters_ NOTIFY changed)
    Q_PROPERTY(bool clipped MEMBER clipped_ NOTIFY changed)
    Q_CLASSINFO("element", "TfrxMemoView")
    Q_CLASSINFO("file:Text", "text")
    Q_CLASSINFO("file:Memo.UTF8W", "text")
    Q_CLASSINFO("file:Memo.Text", "text")
    Q_CLASSINFO("file:HAlign", "hAlign")
    Q_CLASSINFO("file:VAlign", "vAlign")
    Q_CLASSINFO("file:WordWrap", "wordWrap")
    Q_CLASSINFO("file:AutoWidth", "autoWidth")
    Q_CLASSINFO("file:GapX", "gapX")
    Q_CLASSINFO("file:GapY", "gapY")
    Q_CLASSINFO("file:LineSpacing", "lineSpacing")
    Q_CLASSINFO("file:StretchMode", "stretchMode")
    Q_CLASSINFO("file:DisplayFormat.Kind", "displayFormatKind")
    Q_CLASSINFO("file:DisplayFormat.FormatStr", "displayFormat")
    Q_CLASSINFO("file:DisplayFormat.DecimalSeparator", "decimalSeparator")
    Q_CLASSINFO("file:DisplayFormat.ThousandSeparator", "thousandSeparator")
    Q_CLASSINFO("file:HideZeros", "hideZeros")
    Q_CLASSINFO("file:AllowExpressions", "allowExpressions")
    Q_CLASSINFO("file:ExpressionDelimiters", "expressionDelimiters")
    Q_CLASSINFO("file:Clipped", "clipped")
    Q_CLASSINFO("quiet", "UseDefaultCharset WordBreak Wysiwyg Highlight.Font.* Highlight.Color "
                         "Highlight.FontStyle Highlight.ApplyFont Highlight.ApplyFill "
                         "Highlight.ApplyFrame Highlight.Fill.* Highlight.Frame.* Highlight.Visible")

public:
    enum HAlign { haLeft, haRight, haCenter, haBlock };
    Q_ENUM(HAlign)
    enum VAlign { vaTop, vaBottom, vaCenter };
    Q_ENUM(VAlign)
    enum StretchMode { smDontStretch, smActualHeight, smMaxHeight };
    Q_ENUM(StretchMode)
    enum FormatKind { fkText, fkNumeric, fkDateTime, fkBoolean };
    Q_ENUM(FormatKind)

    explicit MemoView(QObject* parent = nullptr);

    QString text() const { return text_; }
    void setText(const QString& text);
    HAlign hAlign() const { return hAlign_; }
    VAlign vAlign() const { return vAlign_; }
    bool wordWrap() const { return wordWrap_; }
    bool autoWidth() const { return autoWidth_; }
    double gapX() const { return gapX_; }
    double gapY() const { return gapY_; }
    double lineSpacing() const { return lineSpacing_; }
    StretchMode stretchMode() const { return stretchMode_; }
    FormatKind displayFormatKind() const { return displayFormatKind_; }
    QString displayFormat() const { return displayFormat_; }
    QString decimalSeparator() const { return decimalSeparator_; }
    QString thousandSeparator() const { return thousandSeparator_; }
    bool hideZeros() const { return hideZeros_; }
    bool allowExpressions() const { return allowExpressions_; }
    QString expressionDelimiters() const { return expressionDelimiters_; }
    bool isClipped() const { return clipped_; }

    QString checkLimits() const override;

private:
    QString text_;
    HAlign hAlign_ = haLeft;
    VAlign vAlign_ = vaTop;
    bool wordWrap_ = true;
    bool autoWidth_ = false;
    double gapX_ = 2;
    double gapY_ = 1;
    double lineSpacing_ = 2;
    StretchMode stretchMode_ = smDontStretch;
    FormatKind displayFormatKind_ = fkText;
    QString displayFormat_;
    QString decimalSeparator_;
    QString thousandSeparator_;
    bool hideZeros_ = false;
    bool allowExpressions_ = true;
    QString expressionDelimiters_ = QStringLiteral("[,]");
    bool clipped_ = true;
};

}  // namespace report
