// main() of test programs that need a QApplication (widgets, printing).
#include <gtest/gtest.h>

#include <QApplication>
#include <QLocale>

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? QByteArray("offscreen")
                                                                     : qgetenv("QT_QPA_PLATFORM"));
    QApplication app(argc, argv);
    // Tests check Turkish separators ("12,5", "1.234,50").
    QLocale::setDefault(QLocale(QLocale::Turkish, QLocale::Turkey));
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
