#include "MemoEditor.h"

#include "DesignerDocument.h"

#include "platform/report/MemoView.h"
#include "platform/ui/Dialogs.h"

#include <QComboBox>
#include <QFontDatabase>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSplitter>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace report {

namespace {

enum Role { DatasetRole = Qt::UserRole, FieldRole, ValueRole };

struct Aggregate {
    const char* function;
    const char* title;
};

constexpr Aggregate aggregates[] = {
    {"SUM", "Toplam (SUM)"}, {"COUNT", "Sayı (COUNT)"}, {"AVG", "Ortalama (AVG)"},
    {"MIN", "En Küçük (MIN)"}, {"MAX", "En Büyük (MAX)"}};

struct SystemValue {
    const char* name;
    const char* title;
};

constexpr SystemValue systemValues[] = {
    {"Date", "Tarih"},         {"Time", "Saat"},          {"Page#", "Sayfa No"},
    {"TotalPages#", "Toplam Sayfa"}, {"Line#", "Satır No"}, {"Page", "Sayfa (0'dan)"}};

QString fieldReference(const QString& dataset, const QString& field)
{
    return QStringLiteral("%1.\"%2\"").arg(dataset, field);
}

}  // namespace

MemoEditor::MemoEditor(const DesignerDocument& document, const MemoView& memo, QWidget* owner) : ui::Form(owner)
{
    setWindowTitle(QStringLiteral("Metin Düzenle - %1").arg(memo.name()));
    resize(760, 460);

    textEdit_ = new QPlainTextEdit;
    textEdit_->setAccessibleName(QStringLiteral("Metin"));
    textEdit_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    textEdit_->setPlainText(memo.text());

    // Fields of every dataset the report knows, under its name.
    fieldTree_ = new QTreeWidget;
    fieldTree_->setAccessibleName(QStringLiteral("Veri Alanları"));
    fieldTree_->setHeaderHidden(true);
    for (const QString& name : document.datasetNames()) {
        auto* datasetItem = new QTreeWidgetItem(fieldTree_, {name});
        datasetItem->setData(0, DatasetRole, name);
        for (const QString& field : document.fieldNames(name)) {
            auto* fieldItem = new QTreeWidgetItem(datasetItem, {field});
            fieldItem->setData(0, DatasetRole, name);
            fieldItem->setData(0, FieldRole, field);
        }
    }
    fieldTree_->expandAll();
    connect(fieldTree_, &QTreeWidget::itemDoubleClicked, this, [this](QTreeWidgetItem* item) { fieldActivated(item); });
    auto* fieldButton = new QPushButton(QStringLiteral("Alan Ekle"));
    connect(fieldButton, &QPushButton::clicked, this, [this] { fieldActivated(fieldTree_->currentItem()); });

    aggregateBox_ = new QComboBox;
    aggregateBox_->setAccessibleName(QStringLiteral("Toplam İşlevi"));
    for (const Aggregate& aggregate : aggregates)
        aggregateBox_->addItem(QString::fromUtf8(aggregate.title), QString::fromLatin1(aggregate.function));
    bandBox_ = new QComboBox;
    bandBox_->setAccessibleName(QStringLiteral("Veri Bandı"));
    for (const ReportBand* band : document.dataBands())
        bandBox_->addItem(band->name());
    auto* aggregateButton = new QPushButton(QStringLiteral("Toplam Ekle"));
    connect(aggregateButton, &QPushButton::clicked, this, &MemoEditor::insertAggregate);

    systemList_ = new QListWidget;
    systemList_->setAccessibleName(QStringLiteral("Sistem Değerleri"));
    for (const SystemValue& value : systemValues) {
        auto* item = new QListWidgetItem(QStringLiteral("%1 [%2]").arg(QString::fromUtf8(value.title),
                                                                     QString::fromLatin1(value.name)),
                                         systemList_);
        item->setData(ValueRole, QString::fromLatin1(value.name));
    }
    connect(systemList_, &QListWidget::itemDoubleClicked, this,
            [this](QListWidgetItem* item) { insertSystemValue(item->data(ValueRole).toString()); });
    auto* systemButton = new QPushButton(QStringLiteral("Değer Ekle"));
    connect(systemButton, &QPushButton::clicked, this, [this] {
        if (QListWidgetItem* item = systemList_->currentItem())
            insertSystemValue(item->data(ValueRole).toString());
    });

    auto* fieldsBox = new QGroupBox(QStringLiteral("Veri Alanları"));
    auto* fieldsLayout = new QVBoxLayout(fieldsBox);
    fieldsLayout->addWidget(fieldTree_);
    fieldsLayout->addWidget(fieldButton);

    auto* aggregateGroup = new QGroupBox(QStringLiteral("Toplamlar"));
    auto* aggregateLayout = new QVBoxLayout(aggregateGroup);
    aggregateLayout->addWidget(aggregateBox_);
    aggregateLayout->addWidget(bandBox_);
    aggregateLayout->addWidget(aggregateButton);

    auto* systemGroup = new QGroupBox(QStringLiteral("Sistem Değerleri"));
    auto* systemLayout = new QVBoxLayout(systemGroup);
    systemLayout->addWidget(systemList_);
    systemLayout->addWidget(systemButton);

    auto* side = new QWidget;
    auto* sideLayout = new QVBoxLayout(side);
    sideLayout->setContentsMargins(0, 0, 0, 0);
    sideLayout->addWidget(fieldsBox, 3);
    sideLayout->addWidget(aggregateGroup);
    sideLayout->addWidget(systemGroup, 2);

    auto* splitter = new QSplitter;
    splitter->addWidget(textEdit_);
    splitter->addWidget(side);
    splitter->setStretchFactor(0, 3);
    splitter->setStretchFactor(1, 2);

    okButton_ = new QPushButton(QStringLiteral("Tamam"));
    okButton_->setDefault(false);
    okButton_->setAutoDefault(false);
    cancelButton_ = new QPushButton(QStringLiteral("İptal"));
    cancelButton_->setAutoDefault(false);
    connect(okButton_, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancelButton_, &QPushButton::clicked, this, &QDialog::reject);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(okButton_);
    buttons->addWidget(cancelButton_);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(splitter, 1);
    layout->addLayout(buttons);
    textEdit_->setFocus();
}

QString MemoEditor::text() const
{
    return textEdit_->toPlainText();
}

void MemoEditor::setText(const QString& text)
{
    textEdit_->setPlainText(text);
}

void MemoEditor::insertExpression(const QString& expression)
{
    textEdit_->insertPlainText(expression);
    textEdit_->setFocus();
}

void MemoEditor::insertField(const QString& datasetName, const QString& fieldName)
{
    insertExpression(QStringLiteral("[%1]").arg(fieldReference(datasetName, fieldName)));
}

void MemoEditor::fieldActivated(QTreeWidgetItem* item)
{
    if (item && !item->data(0, FieldRole).toString().isEmpty())
        insertField(item->data(0, DatasetRole).toString(), item->data(0, FieldRole).toString());
}

void MemoEditor::insertAggregate()
{
    const QString function = aggregateBox_->currentData().toString();
    const QString band = bandBox_->currentText();
    if (band.isEmpty()) {
        ui::showMessage(QStringLiteral("Toplam için sayfada bir veri bandı olmalı."));
        return;
    }
    if (function == QLatin1String("COUNT")) {
        insertExpression(QStringLiteral("[COUNT(%1)]").arg(band));
        return;
    }
    QTreeWidgetItem* item = fieldTree_->currentItem();
    if (!item || item->data(0, FieldRole).toString().isEmpty()) {
        ui::showMessage(QStringLiteral("Önce listeden toplanacak alanı seçin."));
        return;
    }
    insertExpression(QStringLiteral("[%1(<%2>,%3)]")
                         .arg(function,
                              fieldReference(item->data(0, DatasetRole).toString(), item->data(0, FieldRole).toString()),
                              band));
}

void MemoEditor::insertSystemValue(const QString& name)
{
    insertExpression(QStringLiteral("[%1]").arg(name));
}

}  // namespace report
