#include "PropertyPanel.h"

#include "BandLayout.h"
#include "DesignerDocument.h"

#include "platform/report/FileAttributes.h"
#include "platform/report/LineView.h"
#include "platform/report/MemoView.h"
#include "platform/report/PictureView.h"
#include "platform/report/ReportPage.h"
#include "platform/report/ShapeView.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/ErrorHandler.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFontDatabase>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMetaProperty>
#include <QPushButton>
#include <QSpinBox>
#include <QToolButton>
#include <QVBoxLayout>

#include <cmath>

namespace report {

namespace {

enum class Editor { Auto, Units, Millimetres, FontName, FontSize, Bit, Color, Dataset, Text, Format, Name, Picture, PaperSize };

struct Descriptor {
    const char* property;
    const char* group;
    const char* label;
    Editor editor = Editor::Auto;
    int bit = 0;
    // The row belongs to items of this class only (nullptr: every item that has the property).
    const QMetaObject* only = nullptr;
};

const QList<Descriptor>& descriptors()
{
    static const QList<Descriptor> list = {
        {"objectName", "Genel", "Ad", Editor::Name},
        {"visible", "Genel", "Görünür"},
        {"color", "Genel", "Dolgu Rengi", Editor::Color},
        {"shape", "Genel", "Şekil"},
        {"curve", "Genel", "Köşe Eğriliği"},
        {"diagonal", "Genel", "Çapraz"},
        {"text", "Metin", "Metin", Editor::Text},
        {"stretchMode", "Metin", "Uzama"},
        {"autoWidth", "Metin", "Otomatik Genişlik"},
        {"left", "Konum ve Boyut", "Sol", Editor::Units},
        {"top", "Konum ve Boyut", "Üst", Editor::Units},
        {"width", "Konum ve Boyut", "Genişlik", Editor::Units},
        {"height", "Konum ve Boyut", "Yükseklik", Editor::Units},
        {"paperSize", "Kağıt", "Kağıt Boyutu", Editor::PaperSize},
        {"orientation", "Kağıt", "Yön"},
        {"paperWidth", "Kağıt", "Genişlik", Editor::Millimetres},
        {"paperHeight", "Kağıt", "Yükseklik", Editor::Millimetres},
        {"endlessHeight", "Kağıt", "Rulo Kağıt"},
        {"leftMargin", "Kenar Boşlukları", "Sol", Editor::Millimetres},
        {"rightMargin", "Kenar Boşlukları", "Sağ", Editor::Millimetres},
        {"topMargin", "Kenar Boşlukları", "Üst", Editor::Millimetres},
        {"bottomMargin", "Kenar Boşlukları", "Alt", Editor::Millimetres},
        {"parentFont", "Yazı Tipi", "Üst Nesneninki"},
        {"fontName", "Yazı Tipi", "Ad", Editor::FontName},
        {"fontHeight", "Yazı Tipi", "Boyut", Editor::FontSize},
        {"fontStyle", "Yazı Tipi", "Kalın", Editor::Bit, 1},
        {"fontStyle", "Yazı Tipi", "İtalik", Editor::Bit, 2},
        {"fontStyle", "Yazı Tipi", "Altı Çizili", Editor::Bit, 4},
        {"fontStyle", "Yazı Tipi", "Üstü Çizili", Editor::Bit, 8},
        {"fontColor", "Yazı Tipi", "Renk", Editor::Color},
        {"hAlign", "Hizalama", "Yatay"},
        {"vAlign", "Hizalama", "Dikey"},
        {"wordWrap", "Hizalama", "Sözcük Kaydır"},
        {"gapX", "Hizalama", "Yatay İç Boşluk"},
        {"gapY", "Hizalama", "Dikey İç Boşluk"},
        {"displayFormatKind", "Biçim", "Tür"},
        {"displayFormat", "Biçim", "Biçim Dizgesi", Editor::Format},
        {"decimalSeparator", "Biçim", "Ondalık Ayırıcı"},
        {"thousandSeparator", "Biçim", "Binlik Ayırıcı"},
        {"hideZeros", "Biçim", "Sıfırları Gizle"},
        {"frameTyp", "Çerçeve", "Sol", Editor::Bit, ReportBox::FrameLeft},
        {"frameTyp", "Çerçeve", "Sağ", Editor::Bit, ReportBox::FrameRight},
        {"frameTyp", "Çerçeve", "Üst", Editor::Bit, ReportBox::FrameTop},
        {"frameTyp", "Çerçeve", "Alt", Editor::Bit, ReportBox::FrameBottom},
        {"frameWidth", "Çerçeve", "Kalınlık"},
        {"frameColor", "Çerçeve", "Renk", Editor::Color},
        {"frameStyle", "Çerçeve", "Çizgi"},
        {"pictureData", "Resim", "Resim", Editor::Picture},
        {"stretched", "Resim", "Alana Sığdır", Editor::Auto, 0, &PictureView::staticMetaObject},
        {"keepAspectRatio", "Resim", "Oranı Koru"},
        {"center", "Resim", "Ortala"},
        {"dataSetName", "Veri", "Veri Kümesi", Editor::Dataset},
        {"dataField", "Veri", "Alan"},
        {"rowCount", "Veri", "Satır Sayısı"},
        {"condition", "Veri", "Koşul"},
        {"child", "Bant", "Alt Bant"},
        {"stretched", "Bant", "Uzayabilir", Editor::Auto, 0, &ReportBand::staticMetaObject},
        {"startNewPage", "Bant", "Yeni Sayfada Başla"},
        {"printOnFirstPage", "Bant", "İlk Sayfada Yazdır"},
        {"printOnLastPage", "Bant", "Son Sayfada Yazdır"},
        {"reprintOnNewPage", "Bant", "Her Sayfada Yinele"},
        {"printIfDetailEmpty", "Bant", "Detay Boşken de Yazdır"},
        {"titleBeforeHeader", "Bant", "Önce Rapor Başlığı"},
    };
    return list;
}

// Properties that have no row: the band's kind is its class, a band's place
// is the designer's stacking, and the rest are the file's own bookkeeping.
bool hidden(const ReportItem& item, const QByteArray& property)
{
    static const QList<QByteArray> never = {"kind", "dataSet", "version", "scriptLanguage", "scriptText"};
    if (never.contains(property))
        return true;
    if (qobject_cast<const ReportBand*>(&item))
        return property == "left" || property == "top" || property == "width";
    return false;
}

QString enumTitle(const char* key)
{
    static const QHash<QByteArray, QString> titles = {
        {"haLeft", QStringLiteral("Sol")},          {"haRight", QStringLiteral("Sağ")},
        {"haCenter", QStringLiteral("Orta")},       {"haBlock", QStringLiteral("İki Yana")},
        {"vaTop", QStringLiteral("Üst")},           {"vaBottom", QStringLiteral("Alt")},
        {"vaCenter", QStringLiteral("Orta")},       {"fkText", QStringLiteral("Metin")},
        {"fkNumeric", QStringLiteral("Sayı")},      {"fkDateTime", QStringLiteral("Tarih/Saat")},
        {"fkBoolean", QStringLiteral("Mantıksal")}, {"fsSolid", QStringLiteral("Düz")},
        {"fsDash", QStringLiteral("Kesikli")},      {"fsDot", QStringLiteral("Noktalı")},
        {"fsDashDot", QStringLiteral("Kesik Noktalı")}, {"fsDashDotDot", QStringLiteral("Kesik İki Noktalı")},
        {"fsDouble", QStringLiteral("Çift")},       {"skRectangle", QStringLiteral("Dikdörtgen")},
        {"skRoundRectangle", QStringLiteral("Yuvarlak Köşeli Dikdörtgen")},
        {"skEllipse", QStringLiteral("Elips")},     {"skTriangle", QStringLiteral("Üçgen")},
        {"skDiamond", QStringLiteral("Baklava")},   {"skDiagonal1", QStringLiteral("Çapraz Çizgi (/)")},
        {"skDiagonal2", QStringLiteral("Çapraz Çizgi (\\)")},
        {"smDontStretch", QStringLiteral("Uzamaz")}, {"smActualHeight", QStringLiteral("İçerik Kadar")},
        {"smMaxHeight", QStringLiteral("Bant Kadar")}, {"poPortrait", QStringLiteral("Dikey")},
        {"poLandscape", QStringLiteral("Yatay")}};
    return titles.value(key, QString::fromLatin1(key));
}

QString itemTitle(const ReportItem& item)
{
    QString kind;
    if (auto* band = qobject_cast<const ReportBand*>(&item))
        kind = band_layout::kindTitle(band->kind());
    else if (qobject_cast<const MemoView*>(&item))
        kind = QStringLiteral("Metin");
    else if (qobject_cast<const LineView*>(&item))
        kind = QStringLiteral("Çizgi");
    else if (qobject_cast<const ShapeView*>(&item))
        kind = QStringLiteral("Şekil");
    else if (qobject_cast<const PictureView*>(&item))
        kind = QStringLiteral("Resim");
    else if (qobject_cast<const ReportPage*>(&item))
        kind = QStringLiteral("Sayfa");
    return item.name().isEmpty() ? kind : QStringLiteral("%1 (%2)").arg(item.name(), kind);
}

int toDelphiColor(const QColor& color)
{
    return color.red() | (color.green() << 8) | (color.blue() << 16);
}

void showSwatch(QPushButton* button, int value)
{
    const QColor color = colorFromDelphi(value);
    QPixmap swatch(14, 14);
    swatch.fill(color.isValid() ? color : QColor(Qt::transparent));
    button->setIcon(QIcon(swatch));
    button->setText(color.isValid() ? color.name().toUpper() : QStringLiteral("(renk yok)"));
}

int pointsOf(int fontHeight)
{
    // A negative height is the character height in pixels at 96 dpi, as in the file.
    return int(std::lround(std::abs(fontHeight) * 72.0 / 96.0));
}

int heightOf(int points)
{
    return -int(std::lround(points * 96.0 / 72.0));
}

struct PaperChoice {
    int code;
    const char* title;
};

constexpr PaperChoice paperChoices[] = {{9, "A4"}, {8, "A3"}, {11, "A5"}, {1, "Letter"}, {5, "Legal"}, {256, "Özel"}};

}  // namespace

PropertyPanel::PropertyPanel(DesignerDocument& document, QWidget* parent) : QScrollArea(parent), document_(document)
{
    setWidgetResizable(true);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setMinimumWidth(320);
    setAccessibleName(QStringLiteral("Özellikler"));
    rebuild();
}

PropertyPanel::~PropertyPanel()
{
    // An editor that loses its focus while it dies must not write any more.
    refreshing_ = true;
    delete takeWidget();
}

QWidget* PropertyPanel::editor(const QByteArray& property, int bit) const
{
    for (const Row& row : rows_) {
        if (row.property == property && row.bit == bit)
            return row.editor;
    }
    return nullptr;
}

void PropertyPanel::rebuild()
{
    rows_.clear();
    // Later: the editor whose signal led here may still be on the stack.
    if (QWidget* old = takeWidget()) {
        old->hide();
        old->deleteLater();
    }
    content_ = new QWidget;
    layout_ = new QVBoxLayout(content_);
    title_ = new QLabel;
    QFont bold = title_->font();
    bold.setBold(true);
    title_->setFont(bold);
    layout_->addWidget(title_);

    const QList<ReportItem*> selection = document_.selection();
    if (selection.isEmpty())
        target_ = document_.page();
    else
        target_ = selection.size() == 1 ? selection.first() : nullptr;
    if (target_) {
        title_->setText(itemTitle(*target_));
        addRows();
    } else {
        title_->setText(QStringLiteral("%1 nesne seçili").arg(selection.size()));
    }
    layout_->addStretch();
    setWidget(content_);
    refresh();
}

void PropertyPanel::refresh()
{
    refreshing_ = true;
    if (target_)
        title_->setText(itemTitle(*target_));
    for (const Row& row : rows_) {
        if (row.refresh)
            row.refresh();
    }
    refreshing_ = false;
}

void PropertyPanel::addRows()
{
    ReportItem* item = target_;
    const QMetaObject* meta = item->metaObject();
    QHash<QString, QFormLayout*> groups;
    auto formOf = [&](const QString& group) {
        QFormLayout*& form = groups[group];
        if (!form) {
            auto* box = new QGroupBox(group);
            form = new QFormLayout(box);
            form->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);
            form->setRowWrapPolicy(QFormLayout::WrapLongRows);
            layout_->addWidget(box);
        }
        return form;
    };
    const QPointer<ReportItem> target = item;
    // Every edit goes to the item the row was made for, and only while it is shown.
    auto commit = [this, target](const QByteArray& property, const QVariant& value) {
        if (refreshing_ || !target || target != target_)
            return false;
        bool done = false;
        ui::guarded([&] { done = document_.setProperty(target, property, value); });
        refresh();
        return done;
    };
    auto read = [target](const QByteArray& property) -> QVariant {
        if (!target)
            return {};
        // An inherited font shows what the item is drawn with.
        if (target->parentFont() && property.startsWith("font")) {
            const ItemFont font = target->effectiveFont();
            if (property == "fontName")
                return font.name;
            if (property == "fontHeight")
                return font.height;
            if (property == "fontStyle")
                return font.style;
            if (property == "fontColor")
                return font.color;
        }
        return target->property(property.constData());
    };

    QList<QByteArray> covered;
    auto addRow = [&](const Descriptor& d, const QString& group, const QString& label) {
        const QByteArray property = d.property;
        const QMetaProperty metaProperty = meta->property(meta->indexOfProperty(property.constData()));
        Row row;
        row.property = property;
        row.bit = d.bit;
        const QString accessible = QStringLiteral("%1: %2").arg(group, label);
        QWidget* editor = nullptr;
        switch (d.editor) {
        case Editor::Units:
        case Editor::Millimetres: {
            auto* box = new QDoubleSpinBox;
            box->setRange(-100000, 100000);
            box->setDecimals(2);
            box->setSuffix(QStringLiteral(" mm"));
            box->setKeyboardTracking(false);
            const double scale = d.editor == Editor::Units ? UnitsPerMm : 1.0;
            connect(box, &QDoubleSpinBox::valueChanged, this,
                    [commit, property, scale](double value) { commit(property, value * scale); });
            row.refresh = [box, read, property, scale] {
                QSignalBlocker block(box);
                box->setValue(read(property).toDouble() / scale);
            };
            editor = box;
            break;
        }
        case Editor::FontSize: {
            auto* box = new QSpinBox;
            box->setRange(1, 500);
            box->setSuffix(QStringLiteral(" pt"));
            box->setKeyboardTracking(false);
            connect(box, &QSpinBox::valueChanged, this,
                    [commit, property](int points) { commit(property, heightOf(points)); });
            row.refresh = [box, read, property] {
                QSignalBlocker block(box);
                box->setValue(pointsOf(read(property).toInt()));
            };
            editor = box;
            break;
        }
        case Editor::Bit: {
            auto* box = new QCheckBox;
            const int bit = d.bit;
            connect(box, &QCheckBox::clicked, this, [commit, read, property, bit](bool on) {
                const int value = read(property).toInt();
                commit(property, on ? (value | bit) : (value & ~bit));
            });
            row.refresh = [box, read, property, bit] {
                QSignalBlocker block(box);
                box->setChecked(read(property).toInt() & bit);
            };
            editor = box;
            break;
        }
        case Editor::Color: {
            auto* holder = new QWidget;
            auto* line = new QHBoxLayout(holder);
            line->setContentsMargins(0, 0, 0, 0);
            auto* button = new QPushButton;
            // Enter in another editor of the window must not open the colour dialog.
            button->setAutoDefault(false);
            button->setAccessibleName(accessible);
            auto* none = new QToolButton;
            none->setText(QStringLiteral("Temizle"));
            none->setAccessibleName(accessible + QStringLiteral(" Temizle"));
            line->addWidget(button, 1);
            line->addWidget(none);
            connect(button, &QPushButton::clicked, this, [this, commit, read, property, label] {
                const QColor initial = colorFromDelphi(read(property).toInt());
                const std::optional<QColor> chosen =
                    ui::dialogs().chooseColor(initial.isValid() ? initial : QColor(Qt::white), label);
                if (chosen)
                    commit(property, toDelphiColor(*chosen));
            });
            // The text colour cannot be "none"; a fill or a frame can.
            none->setVisible(property != "fontColor");
            connect(none, &QToolButton::clicked, this, [commit, property] { commit(property, NoColor); });
            row.refresh = [button, read, property] { showSwatch(button, read(property).toInt()); };
            editor = holder;
            break;
        }
        case Editor::Name:
        case Editor::Text: {
            auto* holder = new QWidget;
            auto* line = new QHBoxLayout(holder);
            line->setContentsMargins(0, 0, 0, 0);
            auto* edit = new QLineEdit;
            edit->setAccessibleName(accessible);
            line->addWidget(edit, 1);
            if (d.editor == Editor::Text) {
                auto* more = new QToolButton;
                more->setText(QStringLiteral("..."));
                more->setAccessibleName(QStringLiteral("Metni Düzenle"));
                line->addWidget(more);
                connect(more, &QToolButton::clicked, this, [this, target] {
                    if (auto* memo = qobject_cast<MemoView*>(target.data()))
                        emit editTextRequested(memo);
                });
            }
            const bool isName = d.editor == Editor::Name;
            connect(edit, &QLineEdit::editingFinished, this, [this, edit, commit, read, property, isName] {
                if (refreshing_ || edit->isReadOnly() || edit->text() == read(property).toString())
                    return;
                const QString wanted = edit->text();
                if (!commit(property, wanted) && isName)
                    ui::showMessage(QStringLiteral("\"%1\" adı kullanılamaz: ad boş olamaz ve başka bir nesnenin "
                                                   "adı olamaz.")
                                        .arg(wanted));
            });
            row.refresh = [edit, read, property] {
                QSignalBlocker block(edit);
                const QString text = read(property).toString();
                // Several lines are edited in the text window only.
                const bool multiline = text.contains(QLatin1Char('\n'));
                edit->setReadOnly(multiline);
                edit->setText(multiline ? QString(text).replace(QLatin1Char('\n'), QStringLiteral(" ¶ ")) : text);
                edit->setCursorPosition(0);
            };
            editor = holder;
            break;
        }
        case Editor::Dataset:
        case Editor::Format:
        case Editor::FontName: {
            auto* box = new QComboBox;
            box->setEditable(true);
            box->setInsertPolicy(QComboBox::NoInsert);
            QStringList choices;
            if (d.editor == Editor::Dataset)
                choices = document_.datasetNames();
            else if (d.editor == Editor::Format)
                choices = {QStringLiteral("###,###,##0.00"), QStringLiteral("###,###,##0.##"),
                           QStringLiteral("###,###,##0.00TL"), QStringLiteral("%2.2f"), QStringLiteral("%2.2n"),
                           QStringLiteral("%2.2m"), QStringLiteral("dd.mm.yyyy"), QStringLiteral("dd.mm.yyyy hh:nn"),
                           QStringLiteral("hh:nn")};
            else
                choices = {QStringLiteral("Arial"), QStringLiteral("Tahoma"), QStringLiteral("Times New Roman"),
                           QStringLiteral("Courier New"), QStringLiteral("Verdana")};
            if (d.editor == Editor::FontName) {
                for (const QString& family : QFontDatabase::families()) {
                    if (!choices.contains(family))
                        choices.append(family);
                }
            }
            box->addItems(choices);
            auto apply = [this, box, commit, read, property] {
                if (refreshing_ || box->currentText() == read(property).toString())
                    return;
                commit(property, box->currentText());
            };
            connect(box, &QComboBox::activated, this, apply);
            connect(box->lineEdit(), &QLineEdit::editingFinished, this, apply);
            row.refresh = [box, read, property] {
                QSignalBlocker block(box);
                box->setCurrentText(read(property).toString());
            };
            editor = box;
            break;
        }
        case Editor::PaperSize: {
            auto* box = new QComboBox;
            for (const PaperChoice& choice : paperChoices)
                box->addItem(QString::fromUtf8(choice.title), choice.code);
            connect(box, &QComboBox::activated, this,
                    [box, commit, property](int index) { commit(property, box->itemData(index)); });
            row.refresh = [box, read, property] {
                QSignalBlocker block(box);
                const int code = read(property).toInt();
                int index = box->findData(code);
                if (index < 0) {
                    box->addItem(QStringLiteral("Kod %1").arg(code), code);
                    index = box->count() - 1;
                }
                box->setCurrentIndex(index);
            };
            editor = box;
            break;
        }
        case Editor::Picture: {
            auto* holder = new QWidget;
            auto* line = new QHBoxLayout(holder);
            line->setContentsMargins(0, 0, 0, 0);
            auto* info = new QLabel;
            auto* choose = new QPushButton(QStringLiteral("Resim Seç..."));
            choose->setAutoDefault(false);
            auto* clear = new QToolButton;
            clear->setText(QStringLiteral("Temizle"));
            line->addWidget(info, 1);
            line->addWidget(choose);
            line->addWidget(clear);
            connect(choose, &QPushButton::clicked, this, [this, target] {
                if (auto* picture = qobject_cast<PictureView*>(target.data()))
                    emit pictureRequested(picture);
            });
            connect(clear, &QToolButton::clicked, this, [commit, property] { commit(property, QByteArray()); });
            row.refresh = [info, target] {
                auto* picture = qobject_cast<PictureView*>(target.data());
                const QImage image = picture ? picture->image() : QImage();
                info->setText(image.isNull() ? QStringLiteral("(yok)")
                                             : QStringLiteral("%1 × %2").arg(image.width()).arg(image.height()));
            };
            editor = holder;
            break;
        }
        case Editor::Auto: {
            if (metaProperty.isEnumType()) {
                auto* box = new QComboBox;
                const QMetaEnum enumerator = metaProperty.enumerator();
                for (int i = 0; i < enumerator.keyCount(); ++i)
                    box->addItem(enumTitle(enumerator.key(i)), enumerator.value(i));
                connect(box, &QComboBox::activated, this,
                        [box, commit, property](int index) { commit(property, box->itemData(index)); });
                row.refresh = [box, read, property] {
                    QSignalBlocker block(box);
                    box->setCurrentIndex(box->findData(read(property).toInt()));
                };
                editor = box;
            } else if (metaProperty.metaType().id() == QMetaType::Bool) {
                auto* box = new QCheckBox;
                connect(box, &QCheckBox::clicked, this, [commit, property](bool on) { commit(property, on); });
                row.refresh = [box, read, property] {
                    QSignalBlocker block(box);
                    box->setChecked(read(property).toBool());
                };
                editor = box;
            } else if (metaProperty.metaType().id() == QMetaType::Double) {
                auto* box = new QDoubleSpinBox;
                box->setRange(-100000, 100000);
                box->setDecimals(2);
                box->setKeyboardTracking(false);
                connect(box, &QDoubleSpinBox::valueChanged, this,
                        [commit, property](double value) { commit(property, value); });
                row.refresh = [box, read, property] {
                    QSignalBlocker block(box);
                    box->setValue(read(property).toDouble());
                };
                editor = box;
            } else if (metaProperty.metaType().id() == QMetaType::Int) {
                auto* box = new QSpinBox;
                box->setRange(-1000000, 1000000);
                box->setKeyboardTracking(false);
                connect(box, &QSpinBox::valueChanged, this, [commit, property](int value) { commit(property, value); });
                row.refresh = [box, read, property] {
                    QSignalBlocker block(box);
                    box->setValue(read(property).toInt());
                };
                editor = box;
            } else if (metaProperty.metaType().id() == QMetaType::QString) {
                auto* edit = new QLineEdit;
                connect(edit, &QLineEdit::editingFinished, this, [this, edit, commit, read, property] {
                    if (!refreshing_ && edit->text() != read(property).toString())
                        commit(property, edit->text());
                });
                row.refresh = [edit, read, property] {
                    QSignalBlocker block(edit);
                    edit->setText(read(property).toString());
                };
                editor = edit;
            }
            break;
        }
        }
        if (!editor)
            return;
        if (editor->accessibleName().isEmpty())
            editor->setAccessibleName(accessible);
        editor->setObjectName(QString::fromLatin1(property) + (d.bit ? QString::number(d.bit) : QString()));
        formOf(group)->addRow(label, editor);
        row.editor = editor;
        rows_.append(row);
    };

    for (const Descriptor& d : descriptors()) {
        if (meta->indexOfProperty(d.property) < 0 || hidden(*item, d.property))
            continue;
        if (d.only && !item->inherits(d.only->className()))
            continue;
        covered.append(d.property);
        addRow(d, QString::fromUtf8(d.group), QString::fromUtf8(d.label));
    }
    // Whatever else the file describes for this class, under its file name.
    for (const FileAttribute& attribute : fileAttributes(meta)) {
        if (covered.contains(attribute.property) || hidden(*item, attribute.property)
            || attribute.attribute.startsWith(QLatin1String("Font.")) || attribute.attribute.contains(QLatin1String(".UTF8"))
            || attribute.property == "objectName")
            continue;
        covered.append(attribute.property);
        Descriptor d{nullptr, "Diğer", nullptr};
        d.property = attribute.property.constData();
        addRow(d, QStringLiteral("Diğer"), attribute.attribute);
    }
}

}  // namespace report
