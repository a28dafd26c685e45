// The info thread that runs the live windows, seen from the host's thread.
#pragma once

// Starts the info thread (stopping running windows first).
void StartInfoWindows();
// Stops the timer, closes the three windows and waits, bounded, until they are gone.
void StopInfoWindows();
// Whether the live windows are running: from the start of the info thread
// until it has closed its windows, even before the district window exists.
bool LiveWindowsRunning();
// Re-arms the district window's update timer (id 1500, 330 ms) from the host's thread.
void ArmDistrictTimer();
// The unload path: stops the windows without waiting for the thread itself.
void StopInfoWindowsForUnload();
