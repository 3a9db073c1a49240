#pragma once

#include "ReportItem.h"

#include <QMarginsF>
#include <QSizeF>

namespace report {

class ReportBand;

// A report page of a template: paper and margins in millimetres, and its bands.
// A page "as long as the content" (roll paper) never breaks; its paper height
// only serves the designer.
class ReportPage : public ReportItem {
    Q_OBJECT
    Q_PROPERTY(double paperWidth MEMBER paperWidth_ NOTIFY changed)
    Q_PROPERTY(double paperHeight MEMBER paperHeight_ NOTIFY changed)
    Q_PROPERTY(int paperSize MEMBER paperSize_ NOTIFY changed)
    Q_PROPERTY(Orientation orientation MEMBER orientation_ NOTIFY changed)
    Q_PROPERTY(double leftMargin MEMBER leftMargin_ NOTIFY changed)
    Q_PROPERTY(double rightMargin MEMBER rightMargin_ NOTIFY changed)
    Q_PROPERTY(double topMargin MEMBER topMargin_ NOTIFY changed)
    Q_PROPERTY(double bottomMargin MEMBER bottomMargin_ NOTIFY changed)
    Q_PROPERTY(bool endlessHeight MEMBER endlessHeight_ NOTIFY changed)
    Q_PROPERTY(bool titleBeforeHeader MEMBER titleBeforeHeader_ NOTIFY changed)
    Q_CLASSINFO("element", "TfrxReportPage")
    Q_CLASSINFO("file:PaperWidth", "!paperWidth")
    Q_CLASSINFO("file:PaperHeight", "!paperHeight")
    Q_CLASSINFO("file:PaperSize", "!paperSize")
    Q_CLASSINFO("file:Orientation", "orientation")
    Q_CLASSINFO("file:LeftMargin", "!leftMargin")
    Q_CLASSINFO("file:RightMargin", "!rightMargin")
    Q_CLASSINFO("file:TopMargin", "!topMargin")
    Q_CLASSINFO("file:BottomMargin", "!bottomMargin")
    Q_CLASSINFO("file:EndlessHeight", "endlessHeight")
    Q_CLASSINFO("file:TitleBeforeHeader", "titleBeforeHeader")
    Q_CLASSINFO("file:Font.Name", "fontName")
    Q_CLASSINFO("file:Font.Height", "fontHeight")
    Q_CLASSINFO("file:Font.Style", "fontStyle")
    Q_CLASSINFO("file:Font.Color", "fontColor")
    Q_CLASSINFO("quiet", "Font.Charset HGuides.Text VGuides.Text LargeDesignHeight Bin BinOtherPages "
                         "Duplex PaperSource Tag TagStr Description")

public:
    enum Orientation { poPortrait, poLandscape };
    Q_ENUM(Orientation)

    // A4 portrait with 10 mm margins, the designer's page for a new report.
    explicit ReportPage(QObject* parent = nullptr);

    double paperWidth() const { return paperWidth_; }
    double paperHeight() const { return paperHeight_; }
    int paperSize() const { return paperSize_; }
    Orientation orientation() const { return orientation_; }
    QMarginsF marginsMm() const { return {leftMargin_, topMargin_, rightMargin_, bottomMargin_}; }
    void setPaper(double widthMm, double heightMm, int paperSize = 256);
    void setMarginsMm(const QMarginsF& margins);
    bool endlessHeight() const { return endlessHeight_; }
    bool titleBeforeHeader() const { return titleBeforeHeader_; }

    // Roll paper: marked endless, or a custom paper no wider than a receipt roll.
    bool isRollPaper() const;

    QList<ReportBand*> bands() const;

    QString checkLimits() const override;

private:
    double paperWidth_ = 210;
    double paperHeight_ = 297;
    int paperSize_ = 9;
    Orientation orientation_ = poPortrait;
    double leftMargin_ = 10;
    double rightMargin_ = 10;
    double topMargin_ = 10;
    double bottomMargin_ = 10;
    bool endlessHeight_ = false;
    bool titleBeforeHeader_ = true;
};

// Units of positions in templates: pixels at 96 dpi.
inline constexpr double UnitsPerMm = 96.0 / 25.4;

}  // namespace report
