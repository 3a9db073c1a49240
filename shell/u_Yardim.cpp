#include "u_Yardim.h"

#include <QFrame>
#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
#include <QVBoxLayout>

TYardim::TYardim(QWidget* owner) : ui::Form(owner)
{
    setObjectName(QStringLiteral("Yardim"));
    setWindowTitle(QStringLiteral("Yardim"));
    setFixedSize(671, 277);
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    Panel1 = new QFrame(this);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    layout->addWidget(Panel1);

    struct Row {
        int number;
        const char* caption;
        const char* value;
    };
    // Row 4 stays empty between the program's rows and the support rows.
    const Row rows[] = {
        {1, "Uygulama Geliştirme :", "Tavlora Yazılım Ekibi"},
        {2, "Uygulama Adı :", "TavloraFree"},
        {3, "Versiyon :", "1.0"},
        {5, "Yardım Tipi :", "Mail ile destek"},
        {6, "Mail Adresi :", "destek@tavlora.example.com.tr"},
        {7, "Web Sayfası :", "https://tavlora.example.com.tr"},
    };
    QFont font(QStringLiteral("Courier New"));
    font.setStyleHint(QFont::Monospace);
    font.setPointSize(14);
    font.setBold(true);
    int index = 0;
    for (const Row& row : rows) {
        const int top = 40 + (row.number - 1) * 20;
        for (int column = 0; column < 2; ++column) {
            auto* label = new QLabel(QString::fromUtf8(column == 0 ? row.caption : row.value), Panel1);
            label->setObjectName(QStringLiteral("cxLabel%1").arg(++index));
            label->setFont(font);
            label->move(column == 0 ? 40 : 280, top);
            label->adjustSize();
            labels.append(label);
        }
    }
    // Two empty labels keep row 4's place.
    for (int column = 0; column < 2; ++column) {
        auto* label = new QLabel(Panel1);
        label->setObjectName(QStringLiteral("cxLabel%1").arg(++index));
        label->move(column == 0 ? 40 : 280, 100);
        labels.append(label);
    }
}
