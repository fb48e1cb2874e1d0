#pragma once
// The Qt harnesses need one application object for the whole process, on
// the offscreen platform, made before the first input.

#include <QApplication>
#include <cstdlib>

inline void NapraviAplikaciju(int* argc, char*** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    static QApplication aplikacija(*argc, *argv);
}
