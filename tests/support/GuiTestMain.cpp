#include <QApplication>
#include <QLocale>

#include <gtest/gtest.h>

// GoogleTest main for window tests: one QApplication for the whole program,
// on the test program's own platform (an offscreen screen of known size)
// unless another is chosen, with the C locale so that nothing depends on the
// machine's number formats.
int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", LUMVANE_GUI_TEST_PLATFORM);
    QLocale::setDefault(QLocale::c());
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
