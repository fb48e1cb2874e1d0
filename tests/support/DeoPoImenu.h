#pragma once
// A part of a window by its object name, for the tests of its controls. A
// missing one fails the test at once, naming it, instead of leaving a null
// pointer to crash on.

#include <QObject>
#include <QString>
#include <gtest/gtest.h>
#include <stdexcept>
#include <string>

template <class T> T* Deo(const QObject& prozor, const char* ime) {
    T* deo = prozor.findChild<T*>(QLatin1String(ime));
    if (!deo) {
        ADD_FAILURE() << "the window has no part named \"" << ime << "\" of the asked type";
        throw std::runtime_error(std::string("no part ") + ime);
    }
    return deo;
}
