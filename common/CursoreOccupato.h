#pragma once
// The busy cursor over every window of the program for as long as it lives: work that
// keeps the window from answering shows that it is working.

#include <QGuiApplication>

class CursoreOccupato
{
public:
    CursoreOccupato() { QGuiApplication::setOverrideCursor(Qt::WaitCursor); }
    ~CursoreOccupato() { QGuiApplication::restoreOverrideCursor(); }
    CursoreOccupato(const CursoreOccupato &) = delete;
    CursoreOccupato &operator=(const CursoreOccupato &) = delete;
};
