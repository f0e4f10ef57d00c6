#pragma once

#include "app/instance_command.h"

class ProcessMonitor;
class SettingsStore;

// The commands of the command line, carried out by the running instance's monitor: the window
// shows each change at once, as it shows the user's own.
CommandReply answerWithMonitor(ProcessMonitor& monitor, const InstanceCommand& command);

// With no instance running, the stored watch list is listed and added to; starting and stopping
// need an instance.
CommandReply answerFromStore(SettingsStore& settings, const InstanceCommand& command);

// Prints the reply, or that none came, and gives the status the program ends with.
int printReply(const std::optional<CommandReply>& reply);
