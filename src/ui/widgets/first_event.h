#pragma once

#include <QEvent>
#include <functional>

class QObject;

// Runs action once, when watched first receives an event of this type, after the object has
// handled it. Work that need not hold up the first frame waits this way for a show or an expose.
void onFirstEvent(QObject& watched, QEvent::Type type, std::function<void()> action);
