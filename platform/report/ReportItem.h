#pragma once

#include "XmlNode.h"

#include <QColor>
#include <QFont>
#include <QObject>

namespace report {

// Colours in templates are Delphi TColor values: 0x00BBGGRR, negative values
// name system colours, and this value means no colour at all.
inline constexpr int NoColor = 536870911;
QColor colorFromDelphi(int value);

// Font of a template item as the file describes it; height in negative pixels
// at 96 dpi (-13 is 10 pt), style bits bold 1, italic 2, underline 4, strike-out 8.
struct ItemFont {
    QString name = QStringLiteral("Arial");
    int height = -13;
    int style = 0;
    int color = 0;

    // A QFont sized in report units (pixels at 96 dpi).
    QFont toFont() const;
    bool operator==(const ItemFont&) const = default;
};

// Base of every element of a template: report, page, band and object.
//
// Each class describes its file attributes with Q_CLASSINFO entries
// "file:<attribute>" naming the Q_PROPERTY that holds it ("!" before the
// property: always written), and "quiet" entries listing attributes it keeps
// without using them. The reader, the writer and a designer all work from this
// one description. Attributes and elements nobody knows are kept as read.
class ReportItem : public QObject {
    Q_OBJECT
    Q_PROPERTY(bool parentFont MEMBER parentFont_ NOTIFY changed)
    Q_PROPERTY(QString fontName MEMBER fontName_ NOTIFY changed)
    Q_PROPERTY(int fontHeight MEMBER fontHeight_ NOTIFY changed)
    Q_PROPERTY(int fontStyle MEMBER fontStyle_ NOTIFY changed)
    Q_PROPERTY(int fontColor MEMBER fontColor_ NOTIFY changed)
    Q_CLASSINFO("file:Name", "objectName")

public:
    explicit ReportItem(QObject* parent = nullptr);

    QString name() const { return objectName(); }

    // The element the item was read from; empty for items made in code, which
    // are written under their class's own element.
    QString elementName() const { return elementName_; }
    void setElementName(const QString& name) { elementName_ = name; }

    QList<KeptAttribute>& keptAttributes() { return keptAttributes_; }
    const QList<KeptAttribute>& keptAttributes() const { return keptAttributes_; }
    QList<KeptElement>& keptElements() { return keptElements_; }
    const QList<KeptElement>& keptElements() const { return keptElements_; }

    // Child items (pages of a report, bands of a page, objects of a band) in file order.
    QList<ReportItem*> items() const;
    ReportItem* parentItem() const { return qobject_cast<ReportItem*>(parent()); }

    bool parentFont() const { return parentFont_; }
    ItemFont ownFont() const { return {fontName_, fontHeight_, fontStyle_, fontColor_}; }
    void setOwnFont(const ItemFont& font);
    // The font the item draws with: its own, or inherited up to the report's default.
    ItemFont effectiveFont() const;

    // A reason why the item cannot be printed safely (absurd sizes), or empty.
    virtual QString checkLimits() const { return {}; }

signals:
    void changed();

private:
    QString elementName_;
    QList<KeptAttribute> keptAttributes_;
    QList<KeptElement> keptElements_;
    bool parentFont_ = true;
    QString fontName_ = QStringLiteral("Arial");
    int fontHeight_ = -13;
    int fontStyle_ = 0;
    int fontColor_ = 0;
};

// An item with a place and a size, in pixels at 96 dpi (1 mm = 3.77953),
// relative to its band (objects) or to the page's printable area (bands).
class ReportBox : public ReportItem {
    Q_OBJECT
    Q_PROPERTY(double left MEMBER left_ NOTIFY changed)
    Q_PROPERTY(double top MEMBER top_ NOTIFY changed)
    Q_PROPERTY(double width MEMBER width_ NOTIFY changed)
    Q_PROPERTY(double height MEMBER height_ NOTIFY changed)
    Q_PROPERTY(bool visible MEMBER visible_ NOTIFY changed)
    Q_PROPERTY(int color MEMBER color_ NOTIFY changed)
    Q_PROPERTY(int frameTyp MEMBER frameTyp_ NOTIFY changed)
    Q_PROPERTY(double frameWidth MEMBER frameWidth_ NOTIFY changed)
    Q_PROPERTY(int frameColor MEMBER frameColor_ NOTIFY changed)
    Q_PROPERTY(FrameStyle frameStyle MEMBER frameStyle_ NOTIFY changed)
    Q_CLASSINFO("file:Left", "!left")
    Q_CLASSINFO("file:Top", "!top")
    Q_CLASSINFO("file:Width", "!width")
    Q_CLASSINFO("file:Height", "!height")
    Q_CLASSINFO("file:Visible", "visible")
    Q_CLASSINFO("file:Color", "color")
    Q_CLASSINFO("file:Fill.BackColor", "color")
    Q_CLASSINFO("file:Frame.Typ", "frameTyp")
    Q_CLASSINFO("file:Frame.Width", "frameWidth")
    Q_CLASSINFO("file:Frame.Color", "frameColor")
    Q_CLASSINFO("file:Frame.Style", "frameStyle")
    Q_CLASSINFO("file:ParentFont", "parentFont")
    Q_CLASSINFO("file:Font.Name", "fontName")
    Q_CLASSINFO("file:Font.Height", "fontHeight")
    Q_CLASSINFO("file:Font.Style", "fontStyle")
    Q_CLASSINFO("file:Font.Color", "fontColor")
    Q_CLASSINFO("quiet", "Font.Charset Restrictions Description Tag TagStr Hint Cursor "
                         "Fill.Style Fill.ForeColor Frame.ShadowWidth Frame.ShadowColor "
                         "Frame.LeftLine.* Frame.RightLine.* Frame.TopLine.* Frame.BottomLine.* "
                         "Editable Printable")

public:
    enum FrameStyle { fsSolid, fsDash, fsDot, fsDashDot, fsDashDotDot, fsDouble };
    Q_ENUM(FrameStyle)
    // Frame.Typ bits.
    enum FrameSide { FrameLeft = 1, FrameRight = 2, FrameTop = 4, FrameBottom = 8 };

    explicit ReportBox(QObject* parent = nullptr);

    double left() const { return left_; }
    double top() const { return top_; }
    double width() const { return width_; }
    double height() const { return height_; }
    void setGeometry(double left, double top, double width, double height);
    bool isVisible() const { return visible_; }
    int color() const { return color_; }
    int frameTyp() const { return frameTyp_; }
    double frameWidth() const { return frameWidth_; }
    int frameColor() const { return frameColor_; }
    FrameStyle frameStyle() const { return frameStyle_; }

    QString checkLimits() const override;

private:
    double left_ = 0;
    double top_ = 0;
    double width_ = 0;
    double height_ = 0;
    bool visible_ = true;
    int color_ = NoColor;
    int frameTyp_ = 0;
    double frameWidth_ = 1;
    int frameColor_ = 0;
    FrameStyle frameStyle_ = fsSolid;
};

}  // namespace report
