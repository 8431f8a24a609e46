// Form2: the settings dialog shown before play.
//
// The user picks the pad buttons for attack, power-up, pause and triple
// speed, the starting effect volume and the preferred music port, may save
// them to zenit.ini, and starts the game. The dialog is modeless: Main shows
// it, then loads the graphics while calling Yield() after every load, so the
// dialog stays responsive; the start button waits for g_LoadDone.
//
//   Form2 dialog;
//   if (!dialog.Show()) ...;           // own 640x480 SDL window, renderer and ImGui
//   SetYieldHandler(&Form2::PumpYield, &dialog);  // Yield() now pumps the dialog
//   Yield();
//   LoadGraphics();                    // yields after every sprite
//   g_LoadDone = true;
//   while (!g_LauncherClosed) { SleepMs(100); Yield(); }
//   SetYieldHandler(nullptr, nullptr);
//   if (g_QuitRequested) ...end...;    // the window was closed instead of starting
//
// While the dialog is open, Yield() is the program's event pump: it takes
// every pending SDL event; events of other windows are dropped.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "app/settings.h"

struct SDL_Window;
struct SDL_Renderer;

// The four button rows, in the order attack, power-up, pause, speed-up.
inline constexpr int kButtonRows = 4;

struct RowButtonState {
    bool enabled = true;
    bool highlighted = false;  // shows the colour of its row's label
    bool operator==(const RowButtonState&) const = default;
};
using ButtonRows = std::array<std::array<RowButtonState, kPadButtonCount>, kButtonRows>;

// The refresh of the button rows: the number chosen in a row is highlighted
// in that row and disabled in every row, so one button never serves two
// functions. A number outside 0..11 marks nothing.
ButtonRows RefreshRows(const std::array<int, kButtonRows>& chosen);

class Form2 {
public:
    static constexpr int kWidth = 640;
    static constexpr int kHeight = 480;
    static constexpr int kTimerIntervalMs = 1000;  // Timer1 of the start sequence

    struct Rect {
        int x, y, w, h;
        int CenterX() const { return x + w / 2; }
        int CenterY() const { return y + h / 2; }
    };
    // Where the controls sit, in window pixels.
    static Rect TitleRect();                       // Img1
    static Rect RowLabelRect(int row);             // LB11..LB14
    static Rect RowButtonRect(int row, int index); // BTN1..BTN4 (index 0..11)
    static Rect KeyLegendRect(int index);          // the key under column `index`
    static Rect VolumeRect(int level);             // OP1 (level 1..3)
    static Rect PortRect(int index);               // OP2 (0 default port, 1 synthesiser)
    static Rect SaveRect();                        // BTN5
    static Rect StartRect();                       // BTN6

    Form2();
    ~Form2();  // closes the window if still open, without touching the globals
    Form2(const Form2&) = delete;
    Form2& operator=(const Form2&) = delete;

    // Opens the dialog (its Load: captions, layout, refresh of the rows) and
    // draws the first frame. False when no window could be opened; Error() says why.
    bool Show();
    const std::string& Error() const { return error_; }
    // Handles pending events, runs a due Timer1 tick and redraws when needed.
    void Yield();
    // For SetYieldHandler: `dialog` is the Form2 whose Yield() runs.
    static void PumpYield(void* dialog) { static_cast<Form2*>(dialog)->Yield(); }
    bool IsOpen() const { return window_ != nullptr; }
    // Closes the window for any reason; g_LauncherClosed = 1.
    void Unload();

    // What the controls do when clicked (the drawing calls these; so may tests).
    void ClickRowButton(int row, int index);
    void ClickVolume(int level);
    void ClickPort(int index);
    void ClickSave();
    void ClickStart();

    bool Loading() const { return loading_; }
    const ButtonRows& Rows() const { return rows_; }
    const std::string& StartCaption() const { return start_caption_; }
    SDL_Window* Window() const { return window_; }
    SDL_Renderer* Renderer() const { return renderer_; }

    // Draws one frame now and presents it.
    void DrawFrame();
    // Draws one frame and returns its pixels (ARGB8888, kWidth x kHeight,
    // row by row) read back from the renderer before presenting.
    std::vector<std::uint32_t> Screenshot();

private:
    struct Ui;  // ImGui context, fonts and textures

    void Refresh();
    void Render(std::vector<std::uint32_t>* capture);
    void DrawControls();
    void RunTimer();
    void Close();

    bool video_ = false;  // holds a reference on SDL's video subsystem
    std::string error_;
    SDL_Window* window_ = nullptr;
    SDL_Renderer* renderer_ = nullptr;
    std::unique_ptr<Ui> ui_;
    ButtonRows rows_{};
    bool loading_ = false;
    std::string start_caption_;
    bool timer_on_ = false;
    double timer_due_ms_ = 0;
    double last_draw_ms_ = 0;
    bool dirty_ = true;
    // Clicks seen while drawing run after the frame, outside ImGui.
    enum class Action { Row, Volume, Port, Save, Start };
    struct Click {
        Action action;
        int a = 0, b = 0;
    };
    void RunClicks();
    std::vector<Click> clicks_;
};
