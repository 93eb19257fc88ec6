#pragma once

#include <QByteArray>

#include <sys/types.h>

// The session bus of a set-user-id tray. The tray shows its icon through the panel's
// status notifier on the session bus, which it reaches as the user of the session.

// True for an address that is one local socket ("unix:path=/..." or
// "unix:abstract=...", with an optional guid): nothing that would make the bus
// library start a program, open a network connection or read a file of the caller's
// choosing.
bool isPlainSessionBusAddress(const QByteArray &address);

// Called as root, before the toolkit or any thread starts. Drops a session bus address
// that is not plain. With a plain one, lets the bus library use it: that library
// notes once, at its first use, whether the real, effective and saved user ids differ
// and then ignores the address; the environment has already been cleaned and the
// address checked, so it is initialised while the ids agree. False when the real user
// could not be given back; the program must then end.
bool prepareSessionBus(uid_t caller);
