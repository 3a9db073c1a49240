#include "MasterDataFixture.h"

#include "masterdata/u_F_Stok.h"
#include "masterdata/u_L_Birim.h"
#include "masterdata/u_L_Grup.h"
#include "masterdata/u_L_Masa.h"
#include "masterdata/u_L_Stok.h"
#include "platform/ui/DataControl.h"

#include <QToolButton>

#include <functional>
#include <memory>

namespace {

struct WindowCase {
    const char* name;
    std::function<QWidget*()> make;
    QStringList captions;
};

class WindowLook : public MasterDataTest, public ::testing::WithParamInterface<WindowCase> {};

TEST_P(WindowLook, CommandsAreNamedPicturedAndLargeEnoughForAFinger)
{
    std::unique_ptr<QWidget> window(GetParam().make());
    QStringList captions;
    for (QToolButton* button : window->findChildren<QToolButton*>(Qt::FindChildrenRecursively)) {
        if (button->objectName().startsWith(QLatin1String("qt_")) || button->objectName().isEmpty())
            continue;
        captions << button->text();
        EXPECT_EQ(button->accessibleName(), ui::plainCaption(button->text()).trimmed()) << button->text().toStdString();
        EXPECT_FALSE(button->icon().pixmap(48, 48).isNull()) << button->text().toStdString();
        EXPECT_GE(button->minimumSize().height(), 48) << button->text().toStdString();
    }
    EXPECT_EQ(captions, GetParam().captions);
}

INSTANTIATE_TEST_SUITE_P(
    Windows, WindowLook,
    ::testing::Values(
        WindowCase{"TL_Stok", [] { return new TL_Stok; },
                   {QStringLiteral("Yeni Stok"), QStringLiteral("Düzenle"), QStringLiteral("Sil"),
                    QStringLiteral("Çıkış")}},
        WindowCase{"TF_Stok",
                   [] {
                       dm->Q_Stok->open();
                       return new TF_Stok;
                   },
                   {QStringLiteral(" Yeni Stok "), QStringLiteral("Kaydet"), QStringLiteral("Vazgeç"),
                    QStringLiteral("Çıkış"), QStringLiteral("Üret")}},
        WindowCase{"TL_Grup", [] { return new TL_Grup; },
                   {QStringLiteral("Yeni Grup"), QStringLiteral("Düzenle"), QStringLiteral("Sil"),
                    QStringLiteral("Index"), QStringLiteral("Çıkış")}},
        WindowCase{"TL_Birim", [] { return new TL_Birim; },
                   {QStringLiteral("Yeni Birim"), QStringLiteral("Düzenle"), QStringLiteral("Sil"),
                    QStringLiteral("Çıkış")}},
        WindowCase{"TL_Masa", [] { return new TL_Masa; },
                   {QStringLiteral("Yeni Masa"), QStringLiteral("Düzenle"), QStringLiteral("Sil"),
                    QStringLiteral("Çıkış")}}),
    [](const ::testing::TestParamInfo<WindowCase>& info) { return std::string(info.param.name); });

}  // namespace
