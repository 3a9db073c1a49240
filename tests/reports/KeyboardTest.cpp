// The saved bills browser and the summary report worked without a mouse
// and by finger.

#include "support/DataModuleFixture.h"
#include "ui/support/Keyboard.h"
#include "ui/support/ScriptedDialogs.h"

#include "data/degiskenler.h"
#include "data/u_dm.h"
#include "reports/u_L_KayitliAdisyonlar.h"
#include "reports/u_r_Adisyon.h"

#include <QFrame>
#include <QPushButton>

#include <functional>
#include <initializer_list>
#include <memory>

namespace {

class RecordKeys : public DataModuleFixture {
protected:
    uitest::ScriptedDialogs dialogs;
};

struct Command {
    const char* caption;
    QPushButton* button;
};

void expectWorkable(std::initializer_list<Command> commands)
{
    for (const Command& c : commands) {
        EXPECT_EQ(c.button->text(), QString::fromUtf8(c.caption));
        EXPECT_TRUE(uitest::keyboardReachable(c.button)) << c.caption;
        EXPECT_TRUE(uitest::fingerSized(c.button)) << c.caption;
    }
}

TEST_F(RecordKeys, SavedBillsStartOnTheButtonBarWhoseButtonsTabReachesInOrder)
{
    TL_KayitliAdisyonlar w;
    ASSERT_TRUE(uitest::activate(&w));
    expectWorkable({{"Geçerli Adisyonlar", w.cxButton3},
                    {"İptal Adisyonları", w.cxButton2},
                    {"Sil", w.cxButton1},
                    {"İlk Kayıt", w.cxButton4},
                    {"Son Kayıt", w.cxButton5},
                    {"Çıkış", w.cxButton6}});
    EXPECT_EQ(QApplication::focusWidget(), w.Panel1);
    const QList<QWidget*> chain = uitest::tabChain(&w);
    const QList<QWidget*> bar = {w.Panel1, w.cxButton3, w.cxButton2, w.cxButton1, w.cxButton4, w.cxButton5,
                                 w.cxButton6};
    ASSERT_GE(chain.size(), bar.size());
    EXPECT_EQ(chain.mid(0, bar.size()), bar);
    // From the bar, Tab is the first button.
    QTest::keyClick(w.Panel1, Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), w.cxButton3);
}

struct CloseCase {
    const char* name;
    std::function<void(TL_KayitliAdisyonlar&)> press;
};

TEST_F(RecordKeys, SavedBillsCloseByEscapeOrEnterOnExit)
{
    const CloseCase cases[] = {
        {"Escape", [](TL_KayitliAdisyonlar& w) { QTest::keyClick(w.Panel1, Qt::Key_Escape); }},
        {"Enter on Çıkış",
         [](TL_KayitliAdisyonlar& w) {
             w.cxButton6->setFocus(Qt::TabFocusReason);
             QTest::keyClick(w.cxButton6, Qt::Key_Return);
         }},
        {"Space on Çıkış",
         [](TL_KayitliAdisyonlar& w) {
             w.cxButton6->setFocus(Qt::TabFocusReason);
             QTest::keyClick(w.cxButton6, Qt::Key_Space);
         }},
    };
    for (const auto& c : cases) {
        TL_KayitliAdisyonlar w;
        ASSERT_TRUE(uitest::activate(&w)) << c.name;
        c.press(w);
        EXPECT_FALSE(w.isVisible()) << c.name;
    }
}

TEST_F(RecordKeys, SummaryReportButtonsAreWorkableAndEscapeCloses)
{
    Tr_Adisyon w;
    ASSERT_TRUE(uitest::activate(&w));
    expectWorkable({{"Rapor", w.cxButton1}, {"Dizayn", w.cxButton3}, {"Çıkış", w.cxButton2}});
    EXPECT_EQ(QApplication::focusWidget(), w.Panel1);
    QTest::keyClick(w.Panel1, Qt::Key_Escape);
    EXPECT_FALSE(w.isVisible());
}

}  // namespace
