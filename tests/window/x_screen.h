// The X server as a player's eyes and hands: what the screen shows, read from
// the root window through X (not through any renderer, so a window that is
// not really on the screen shows nothing), and real pointer clicks and key
// presses through the XTEST extension.
//
//   XScreen x;                          // opens $DISPLAY (or XScreen x(":5"))
//   if (!x.Open()) GTEST_SKIP();
//   XScreen::Image shot = x.Root();     // 0x00RRGGBB, shot.w x shot.h
//   auto windows = x.WindowsOf(pid);    // its mapped top-level windows
//   x.Click(x0 + 320, y0 + 454);
#pragma once

#include <sys/types.h>

#include <cstdint>
#include <string>
#include <vector>

struct _XDisplay;

class XScreen {
public:
    struct Image {
        int w = 0, h = 0;
        std::vector<std::uint32_t> px;  // 0x00RRGGBB, row by row
        std::uint32_t At(int x, int y) const { return px[static_cast<std::size_t>(y) * w + x]; }
    };
    struct Window {
        unsigned long id = 0;
        int x = 0, y = 0, w = 0, h = 0;  // on the screen
    };

    // Opens `display_name` (":5"), or $DISPLAY when empty.
    explicit XScreen(const std::string& display_name = "");
    ~XScreen();
    XScreen(const XScreen&) = delete;
    XScreen& operator=(const XScreen&) = delete;

    bool Open() const { return display_ != nullptr; }
    // Lets go of the server, and connects again.
    void Close();
    bool Reopen();
    // The whole screen as the X server holds it.
    Image Root();
    // The mapped (viewable) windows whose _NET_WM_PID is `pid`.
    std::vector<Window> WindowsOf(pid_t pid);
    // Moves the pointer there and clicks the left button.
    void Click(int x, int y);
    // Presses and releases a key (an X keysym name such as "Escape").
    void Key(const char* keysym);

private:
    std::string name_;
    _XDisplay* display_ = nullptr;
};
