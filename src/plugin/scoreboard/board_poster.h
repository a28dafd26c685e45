// The poster thread, which sends the running score to the scoreboard that
// section "Scoreboard" of the settings file names, seen from the host's
// thread. Without a board there is no thread and WinHTTP is never loaded.
//
// Nothing here waits on the network or holds the state lock for longer than
// a copy of the summary's numbers: the host's calls take the same time while
// a board hangs as without one.
#pragma once

// At each reset: reads the board's settings; starts the poster for a board,
// hands a running one its new settings, and lets it end when the board is gone.
void ConfigureBoardPoster();
// After each summary: tells a running poster there is a score to look at.
void NoteNewSummary();
// The unload path, under the loader lock, in two steps so that the info
// windows can close in between: first abandon a post in flight and tell the
// thread to end; then wait, bounded, only until the thread has left our code,
// never for the thread itself.
void AbandonBoardPostForUnload();
void StopBoardPosterForUnload();
