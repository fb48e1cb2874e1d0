// main() of the GUI tests: one QApplication for the whole test program.
#include <QApplication>
#include <QTemporaryDir>
#include <gmock/gmock.h>

int main(int argc, char** argv) {
    // Settings the program keeps (recent documents, the file dialogs' own)
    // go to a folder of this run, never to the user's.
    QTemporaryDir podesavanja;
    qputenv("XDG_CONFIG_HOME", podesavanja.path().toLocal8Bit());
    qputenv("QT_QPA_PLATFORM",
            qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
    QApplication app(argc, argv);
    ::testing::InitGoogleMock(&argc, argv);
    return RUN_ALL_TESTS();
}
