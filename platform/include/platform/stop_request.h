#pragma once
// Ctrl-C during long work. While a stop window is open, SIGINT only asks the
// work to stop: stop_requested() turns true and the work ends at its next
// check (the end of the blocks in progress). Outside a window SIGINT has the
// action it had when the program started (it ends the program, or stays
// ignored when the program was started with it ignored).

namespace orvix {

// Installs the handler and clears any earlier request.
void open_stop_window();

// Restores the action SIGINT had at start. A request made inside the window
// stays readable through stop_requested() until the next window opens.
void close_stop_window();

// True once SIGINT arrived inside the current (or last) window. Cheap: poll
// it between blocks of work, from any thread.
bool stop_requested();

// What the handler does; tests and embedders call it to stop work directly.
void request_stop();

// Call after reporting work that was stopped: commands typed at a terminal go
// on at the prompt, so this returns; commands from a file or a pipe end the
// program here with status 130, as a shell reports an interrupted command.
void end_session_if_not_interactive();

// A window for the lifetime of a scope.
struct StopWindow {
  StopWindow() { open_stop_window(); }
  ~StopWindow() { close_stop_window(); }
  StopWindow(const StopWindow&) = delete;
  StopWindow& operator=(const StopWindow&) = delete;
};

}  // namespace orvix
