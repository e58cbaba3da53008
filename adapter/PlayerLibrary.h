#pragma once

// Start and stop of the playback and network libraries. They are started
// lazily by the first player that needs them and released once at exit.
// GUI thread only.
namespace PlayerLibrary {

// The player API's start-time hook. The libraries start lazily, so there is
// nothing to do here; returns 0.
int startHook();

// Starts the network library, then the playback library, unless they run
// already. True when both run; a failed start is tried again by the next call.
bool start();

bool isInitialised();

// Releases the network library, then the playback library, if they were
// started; afterwards they count as not started.
void release();

// How many video streams of all players together may decode in hardware;
// 0 keeps them all in software. Needs no started library. 0 on success.
int setMaxHardwareDecoders(int n);
int maxHardwareDecoders();

}
