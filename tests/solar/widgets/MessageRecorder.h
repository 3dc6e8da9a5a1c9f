#pragma once
// Records the components' message boxes instead of showing them.
#include <QStringList>

#include "solar/widgets/SolarLook.h"

struct MessageRecorder {
    QStringList messages;
    orv::solar::MessageHandler previous;
    MessageRecorder() {
        previous = orv::solar::SetMessageHandler([this](QWidget*, const QString& text) { messages << text; });
    }
    ~MessageRecorder() { orv::solar::SetMessageHandler(std::move(previous)); }
};
