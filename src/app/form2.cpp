#include "app/form2.h"

#include <SDL.h>
#include <imgui.h>
#include <imgui_impl_sdlrenderer.h>

#include <cfloat>
#include <cstdio>

#include "app/form2_title.h"
#include "app/zenit02.h"
#include "core/clock.h"
#include "core/message_box.h"
#include "platform/i_input_map.h"
#include "platform/i_sdl_display.h"

namespace {

// ---- Texts -------------------------------------------------------------------
constexpr const char* kRowLabels[kButtonRows] = {"攻撃・ボタン", "パワーアップ・ボタン", "ポーズ・ボタン",
                                                 "３倍速・ボタン"};
constexpr const char* kVolumeCaptions[3] = {"小", "中", "大"};
constexpr const char* kPortCaptions[2] = {"Direct Music デフォルトポートを優先（推奨）",
                                          "Microsoft Synthesizer を優先"};
constexpr const char* kSaveCaption = "設定を保存する。";
constexpr const char* kStartCaption = "ゲームスタート";
constexpr const char* kLoadingCaption = "Now Loading…";
constexpr const char* kVolumeLabel = "SE 音量";
constexpr const char* kVolumeNote = "ゲーム中にも PageUp , PageDown キーで変更できます。";
constexpr const char* kPortLabel = "ＭＩＤＩ ポート";
constexpr const char* kEscNote = "ゲーム開始後の強制終了は ESC ボタン";
constexpr const char* kKeysLabel = "対応キー";
constexpr const char* kKeysNote = "キーボードで遊ぶときのボタン（方向は矢印キー）";
constexpr const char* kBuildKind = "Release";
constexpr const char* kVersion = "1.00";

// ---- Look --------------------------------------------------------------------
constexpr float kFontPixels = 16.0f;
constexpr const char* kFontFiles[] = {
    "/usr/share/fonts/opentype/ipafont-gothic/ipagp.ttf",  // proportional: Latin text stays narrow
    "/usr/share/fonts/opentype/ipafont-gothic/ipag.ttf",
};

ImU32 Colour(int r, int g, int b) { return IM_COL32(r, g, b, 255); }
ImVec4 Colour4(int r, int g, int b) { return ImGui::ColorConvertU32ToFloat4(Colour(r, g, b)); }

// Each row label's background; the row's chosen button takes the same colour.
const ImU32 kRowColours[kButtonRows] = {Colour(255, 168, 168), Colour(160, 226, 160), Colour(168, 196, 255),
                                        Colour(255, 226, 128)};
const ImVec4 kFaceColour = Colour4(225, 225, 225);
const ImVec4 kGreyText = Colour4(150, 150, 150);

// ---- Layout (window pixels) ----------------------------------------------------
constexpr int kRowTop = 104, kRowPitch = 30;
constexpr int kRowButtonsLeft = 186, kRowButtonPitch = 37;
constexpr int kLegendTop = kRowTop + kButtonRows * kRowPitch;
constexpr int kVolumePanel[2] = {10, 274};  // Pic2: OP1 elements sit at x 100, 150, 200 inside
constexpr int kPortPanel[2] = {10, 326};    // Pic3: OP2 elements at (150, 0) and (150, 20)
constexpr int kEscNoteTop = 384;
constexpr int kVersionTop = 412;

ImVec2 Vec(int x, int y) { return ImVec2(static_cast<float>(x), static_cast<float>(y)); }

void PlaceCursor(int x, int y) { ImGui::SetCursorPos(Vec(x, y)); }

void Text(int x, int y, const char* text, bool grey) {
    PlaceCursor(x, y);
    if (grey) ImGui::PushStyleColor(ImGuiCol_Text, kGreyText);
    ImGui::TextUnformatted(text);
    if (grey) ImGui::PopStyleColor();
}

void Panel(ImDrawList* dl, int x, int y, int w, int h) {
    // An etched frame, as around a group of controls.
    dl->AddRect(Vec(x + 1, y + 1), Vec(x + w, y + h), Colour(255, 255, 255));
    dl->AddRect(Vec(x, y), Vec(x + w - 1, y + h - 1), Colour(160, 160, 160));
}

// One option button kept inside its own rectangle; true when clicked.
bool OptionButton(int x, int y, int w, int h, const char* caption, bool selected, bool grey) {
    ImGui::PushClipRect(Vec(x, y), Vec(x + w, y + h), true);
    PlaceCursor(x, y);
    if (grey) ImGui::PushStyleColor(ImGuiCol_Text, kGreyText);
    bool clicked = ImGui::RadioButton(caption, selected);
    if (grey) ImGui::PopStyleColor();
    ImGui::PopClipRect();
    return clicked;
}

}  // namespace

ButtonRows RefreshRows(const std::array<int, kButtonRows>& chosen) {
    ButtonRows rows{};  // every button enabled in the face colour
    for (int r = 0; r < kButtonRows; ++r) {
        int n = chosen[r];
        if (n < 0 || n >= kPadButtonCount) continue;
        rows[r][n].highlighted = true;
        for (auto& row : rows) row[n].enabled = false;
    }
    return rows;
}

// ---- Layout ---------------------------------------------------------------------
Form2::Rect Form2::TitleRect() { return {0, 0, kWidth, 96}; }
Form2::Rect Form2::RowLabelRect(int row) { return {10, kRowTop + row * kRowPitch, 170, 24}; }
Form2::Rect Form2::RowButtonRect(int row, int index) {
    return {kRowButtonsLeft + index * kRowButtonPitch, kRowTop + row * kRowPitch, 35, 24};
}
Form2::Rect Form2::KeyLegendRect(int index) { return {kRowButtonsLeft + index * kRowButtonPitch, kLegendTop, 35, 18}; }
Form2::Rect Form2::VolumeRect(int level) { return {kVolumePanel[0] + 100 + (level - 1) * 50, kVolumePanel[1], 40, 16}; }
Form2::Rect Form2::PortRect(int index) {
    return index == 0 ? Rect{kPortPanel[0] + 150, kPortPanel[1], 350, 16}
                      : Rect{kPortPanel[0] + 150, kPortPanel[1] + 20, 270, 16};
}
Form2::Rect Form2::SaveRect() { return {430, 378, 200, 28}; }
Form2::Rect Form2::StartRect() { return {(kWidth - 500) / 2, kHeight - 10 - 32, 500, 32}; }

// ---- ImGui state of one open dialog ---------------------------------------------------
struct Form2::Ui {
    ImGuiContext* context = nullptr;
    ImVector<ImWchar> glyphs;  // the font atlas keeps a pointer to these
    SDL_Texture* title = nullptr;
    // Mouse as seen from this window's events (events pushed by tests count too).
    bool mouse_in = false;
    float mouse_x = 0, mouse_y = 0;
    bool mouse_down = false;
    bool mouse_pressed = false;  // a press since the last frame, held for one frame at least
    double last_frame_ms = 0;
};

Form2::Form2() = default;
Form2::~Form2() { Close(); }

bool Form2::Show() {
    if (IsOpen()) return true;
    error_.clear();
    if (!SdlVideoStart(&error_)) return false;
    video_ = true;
    window_ = SDL_CreateWindow(kProgramTitle, SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, kWidth, kHeight,
                               SDL_WINDOW_SHOWN);
    if (window_) renderer_ = SDL_CreateRenderer(window_, -1, 0);
    if (!renderer_) {
        error_ = std::string("cannot open the settings window: ") + SDL_GetError();
        Close();
        return false;
    }

    ui_ = std::make_unique<Ui>();
    IMGUI_CHECKVERSION();
    ui_->context = ImGui::CreateContext();
    ImGuiIO& io = ImGui::GetIO();
    io.IniFilename = nullptr;  // nothing is written to the working directory
    io.LogFilename = nullptr;
    io.DisplaySize = ImVec2(kWidth, kHeight);

    // Only the glyphs the dialog shows go into the atlas: quick to build.
    ImFontGlyphRangesBuilder builder;
    builder.AddRanges(io.Fonts->GetGlyphRangesDefault());
    for (const char* t : kRowLabels) builder.AddText(t);
    for (const char* t : kVolumeCaptions) builder.AddText(t);
    for (const char* t : kPortCaptions) builder.AddText(t);
    for (const char* t : {kSaveCaption, kStartCaption, kLoadingCaption, kVolumeLabel, kVolumeNote, kPortLabel,
                          kEscNote, kKeysLabel, kKeysNote})
        builder.AddText(t);
    builder.BuildRanges(&ui_->glyphs);
    ImFont* font = nullptr;
    for (const char* file : kFontFiles) {
        if (FILE* f = std::fopen(file, "rb")) {
            std::fclose(f);
            font = io.Fonts->AddFontFromFileTTF(file, kFontPixels, nullptr, ui_->glyphs.Data);
            if (font) break;
        }
    }
    if (!font) {
        std::fprintf(stderr, "zenit: Japanese font not found (fonts-ipafont-gothic); labels will show as '?'\n");
        io.Fonts->AddFontDefault();
    }

    ImGuiStyle& style = ImGui::GetStyle();
    ImGui::StyleColorsLight(&style);
    style.WindowPadding = ImVec2(0, 0);
    style.WindowRounding = style.FrameRounding = style.GrabRounding = 0;
    style.WindowBorderSize = 0;
    style.FrameBorderSize = 1;
    style.FramePadding = ImVec2(4, 0);  // option buttons are exactly one line of text high
    style.ItemInnerSpacing = ImVec2(4, 0);
    style.DisabledAlpha = 1.0f;  // disabled controls are greyed by their text colour instead
    style.Colors[ImGuiCol_WindowBg] = Colour4(240, 240, 240);
    style.Colors[ImGuiCol_Text] = Colour4(0, 0, 0);
    style.Colors[ImGuiCol_Border] = Colour4(160, 160, 160);
    style.Colors[ImGuiCol_BorderShadow] = ImVec4(0, 0, 0, 0);
    style.Colors[ImGuiCol_Button] = kFaceColour;
    style.Colors[ImGuiCol_ButtonHovered] = Colour4(229, 241, 251);
    style.Colors[ImGuiCol_ButtonActive] = Colour4(204, 228, 247);
    style.Colors[ImGuiCol_FrameBg] = Colour4(255, 255, 255);
    style.Colors[ImGuiCol_FrameBgHovered] = Colour4(229, 241, 251);
    style.Colors[ImGuiCol_FrameBgActive] = Colour4(204, 228, 247);
    style.Colors[ImGuiCol_CheckMark] = Colour4(0, 0, 0);

    ImGui_ImplSDLRenderer_Init(renderer_);

    std::vector<std::uint32_t> picture = MakeTitlePicture(TitleRect().w, TitleRect().h);
    ui_->title = SDL_CreateTexture(renderer_, SDL_PIXELFORMAT_ARGB8888, SDL_TEXTUREACCESS_STATIC, TitleRect().w,
                                   TitleRect().h);
    if (ui_->title) SDL_UpdateTexture(ui_->title, nullptr, picture.data(), TitleRect().w * 4);

    // Load: captions and layout, then the rows.
    loading_ = false;
    timer_on_ = false;
    start_caption_ = kStartCaption;
    clicks_.clear();
    Refresh();
    ui_->last_frame_ms = ClockMs();
    DrawFrame();
    return true;
}

void Form2::Close() {
    if (ui_) {
        if (ui_->context) {
            ImGui::SetCurrentContext(ui_->context);
            ImGui_ImplSDLRenderer_Shutdown();
            ImGui::DestroyContext(ui_->context);
        }
        if (ui_->title) SDL_DestroyTexture(ui_->title);
        ui_.reset();
    }
    if (renderer_) SDL_DestroyRenderer(renderer_);
    renderer_ = nullptr;
    if (window_) {
        SDL_DestroyWindow(window_);
        // What was meant for the dialog stays with it (a key held at the start must not reach the game).
        SDL_FlushEvents(SDL_FIRSTEVENT, SDL_LASTEVENT);
    }
    window_ = nullptr;
    if (video_) SdlVideoStop();
    video_ = false;
    timer_on_ = false;
    clicks_.clear();
}

void Form2::Unload() {
    if (!IsOpen()) return;
    Close();
    g_LauncherClosed = 1;
}

void Form2::Refresh() { rows_ = RefreshRows({g_ShotButton, g_PowerUpButton, g_PauseButton, g_SpeedUpButton}); }

// ---- Control events ------------------------------------------------------------------
void Form2::ClickRowButton(int row, int index) {
    if (row < 0 || row >= kButtonRows || index < 0 || index >= kPadButtonCount) return;
    int* const chosen[kButtonRows] = {&g_ShotButton, &g_PowerUpButton, &g_PauseButton, &g_SpeedUpButton};
    *chosen[row] = index;
    Refresh();
    dirty_ = true;
}

void Form2::ClickVolume(int level) {
    if (level < 1 || level > 3) return;
    g_InitVol = level;
    dirty_ = true;
}

void Form2::ClickPort(int index) {
    g_DefaultPort = index == 0;
    dirty_ = true;
}

void Form2::ClickSave() { SaveSettings(); }

void Form2::ClickStart() {
    if (!IsOpen() || loading_) return;
    start_caption_ = kLoadingCaption;
    loading_ = true;  // every control is drawn disabled from now on
    timer_on_ = true;
    timer_due_ms_ = ClockMs() + kTimerIntervalMs;
    DrawFrame();  // let the new caption show before anything else happens
}

void Form2::RunTimer() {
    const double now = ClockMs();
    if (!timer_on_ || now < timer_due_ms_) return;
    // One tick however late we are; the next one an interval on, as a window timer does.
    while (timer_due_ms_ <= now) timer_due_ms_ += kTimerIntervalMs;
    if (!g_LoadDone) return;  // the graphics are still loading: wait for the next tick
    timer_on_ = false;
    g_QuitRequested = 0;
    Unload();
}

void Form2::RunClicks() {
    std::vector<Click> clicks;
    clicks.swap(clicks_);
    for (const Click& c : clicks) {
        if (!IsOpen()) break;
        switch (c.action) {
            case Action::Row: ClickRowButton(c.a, c.b); break;
            case Action::Volume: ClickVolume(c.a); break;
            case Action::Port: ClickPort(c.a); break;
            case Action::Save: ClickSave(); break;
            case Action::Start: ClickStart(); break;
        }
    }
}

// ---- Events and drawing ----------------------------------------------------------------
void Form2::Yield() {
    if (!IsOpen()) return;
    const Uint32 id = SDL_GetWindowID(window_);
    bool moved = false, clicked = false;
    SDL_Event e;
    while (IsOpen() && SDL_PollEvent(&e)) {
        switch (e.type) {
            case SDL_QUIT: Unload(); break;
            case SDL_WINDOWEVENT:
                if (e.window.windowID != id) break;
                if (e.window.event == SDL_WINDOWEVENT_CLOSE) Unload();
                else if (e.window.event == SDL_WINDOWEVENT_LEAVE) ui_->mouse_in = false;
                dirty_ = true;
                break;
            case SDL_MOUSEMOTION:
                if (e.motion.windowID != id) break;
                ui_->mouse_in = true;
                ui_->mouse_x = static_cast<float>(e.motion.x);
                ui_->mouse_y = static_cast<float>(e.motion.y);
                moved = true;
                break;
            case SDL_MOUSEBUTTONDOWN:
            case SDL_MOUSEBUTTONUP:
                if (e.button.windowID != id || e.button.button != SDL_BUTTON_LEFT) break;
                ui_->mouse_in = true;
                ui_->mouse_x = static_cast<float>(e.button.x);
                ui_->mouse_y = static_cast<float>(e.button.y);
                ui_->mouse_down = e.type == SDL_MOUSEBUTTONDOWN;
                if (ui_->mouse_down) ui_->mouse_pressed = true;
                clicked = true;
                break;
            default: break;
        }
    }
    if (!IsOpen()) return;
    RunTimer();
    if (!IsOpen()) return;
    // Main yields after every sprite it loads, and a frame can take longer than
    // the load itself: draw at once only for a press or release (ImGui must
    // see each in its own frame) and after a change; mouse movement at most 60
    // times a second, and otherwise a refresh ten times a second.
    const double since = ClockMs() - last_draw_ms_;
    if (clicked || dirty_ || (moved && since >= 16.0) || since >= 100.0) DrawFrame();
}

void Form2::DrawFrame() { Render(nullptr); }

std::vector<std::uint32_t> Form2::Screenshot() {
    std::vector<std::uint32_t> pixels;
    if (IsOpen()) Render(&pixels);
    return pixels;
}

void Form2::Render(std::vector<std::uint32_t>* capture) {
    if (!IsOpen()) return;
    ImGui::SetCurrentContext(ui_->context);
    ImGuiIO& io = ImGui::GetIO();
    const double now = ClockMs();
    const double dt = (now - ui_->last_frame_ms) / 1000.0;
    io.DeltaTime = dt > 0 ? static_cast<float>(dt) : 1.0f / 60.0f;
    ui_->last_frame_ms = now;
    io.DisplaySize = ImVec2(kWidth, kHeight);
    int out_w = kWidth, out_h = kHeight;
    SDL_GetRendererOutputSize(renderer_, &out_w, &out_h);
    io.DisplayFramebufferScale = ImVec2(static_cast<float>(out_w) / kWidth, static_cast<float>(out_h) / kHeight);
    io.MousePos = ui_->mouse_in ? ImVec2(ui_->mouse_x, ui_->mouse_y) : ImVec2(-FLT_MAX, -FLT_MAX);
    io.MouseDown[0] = ui_->mouse_down || ui_->mouse_pressed;
    ui_->mouse_pressed = false;

    ImGui_ImplSDLRenderer_NewFrame();
    ImGui::NewFrame();
    DrawControls();
    ImGui::Render();

    SDL_SetRenderDrawColor(renderer_, 240, 240, 240, 255);
    SDL_RenderClear(renderer_);
    ImGui_ImplSDLRenderer_RenderDrawData(ImGui::GetDrawData());
    if (capture) {
        capture->assign(static_cast<std::size_t>(kWidth) * kHeight, 0);
        SDL_Rect all{0, 0, kWidth, kHeight};
        if (SDL_RenderReadPixels(renderer_, &all, SDL_PIXELFORMAT_ARGB8888, capture->data(), kWidth * 4) != 0)
            capture->clear();
    }
    SDL_RenderPresent(renderer_);
    last_draw_ms_ = ClockMs();  // from the end of the frame, so slow frames do not follow one another
    dirty_ = false;
    RunClicks();
}

void Form2::DrawControls() {
    ImGui::SetNextWindowPos(ImVec2(0, 0));
    ImGui::SetNextWindowSize(ImVec2(kWidth, kHeight));
    ImGui::Begin("Form2", nullptr,
                 ImGuiWindowFlags_NoDecoration | ImGuiWindowFlags_NoMove | ImGuiWindowFlags_NoSavedSettings |
                     ImGuiWindowFlags_NoBringToFrontOnFocus | ImGuiWindowFlags_NoNav);
    ImDrawList* dl = ImGui::GetWindowDrawList();
    const bool off = loading_;  // after the start button every control is disabled
    auto click = [this](Action action, int a = 0, int b = 0) { clicks_.push_back({action, a, b}); };

    // Img1 and the panels Pic1 (rows and keys), Pic2 (volume), Pic3 (port), Pic4 (notes).
    if (ui_->title) {
        PlaceCursor(TitleRect().x, TitleRect().y);
        ImGui::Image(static_cast<ImTextureID>(ui_->title), Vec(TitleRect().w, TitleRect().h));
    }
    Panel(dl, 4, kRowTop - 6, kWidth - 8, kLegendTop + 44 - (kRowTop - 6));
    Panel(dl, 4, kVolumePanel[1] - 6, kWidth - 8, 46);
    Panel(dl, 4, kPortPanel[1] - 6, kWidth - 8, 48);
    Panel(dl, 4, kEscNoteTop - 10, kWidth - 8, 50);

    ImGui::BeginDisabled(off);

    // BTN1..BTN4 with their labels LB11..LB14.
    for (int r = 0; r < kButtonRows; ++r) {
        Rect lb = RowLabelRect(r);
        dl->AddRectFilled(Vec(lb.x, lb.y), Vec(lb.x + lb.w, lb.y + lb.h), kRowColours[r]);
        Text(lb.x + 6, lb.y + (lb.h - static_cast<int>(kFontPixels)) / 2, kRowLabels[r], off);
        for (int i = 0; i < kPadButtonCount; ++i) {
            const RowButtonState st = rows_[r][i];
            Rect b = RowButtonRect(r, i);
            int colours = 0;
            if (st.highlighted) {
                const ImVec4 c = ImGui::ColorConvertU32ToFloat4(kRowColours[r]);
                ImGui::PushStyleColor(ImGuiCol_Button, c);
                ImGui::PushStyleColor(ImGuiCol_ButtonHovered, c);
                ImGui::PushStyleColor(ImGuiCol_ButtonActive, c);
                colours += 3;
            }
            if (!st.enabled || off) {
                ImGui::PushStyleColor(ImGuiCol_Text, kGreyText);
                ++colours;
            }
            ImGui::BeginDisabled(!st.enabled);
            PlaceCursor(b.x, b.y);
            char label[16];
            std::snprintf(label, sizeof label, "%d##r%di%d", i, r, i);
            if (ImGui::Button(label, Vec(b.w, b.h)))
                click(Action::Row, r, i);
            ImGui::EndDisabled();
            ImGui::PopStyleColor(colours);
        }
    }

    // Which keyboard key plays which pad button (the input layer's keyboard pad).
    Text(16, kLegendTop + 1, kKeysLabel, off);
    for (int i = 0; i < kPadButtonCount; ++i) {
        Rect k = KeyLegendRect(i);
        const char* key = KeyboardPadKeyName(i);
        float w = ImGui::CalcTextSize(key).x;
        Text(k.x + static_cast<int>((k.w - w) / 2), k.y + 1, key, off);
    }
    Text(kRowButtonsLeft, kLegendTop + 20, kKeysNote, off);

    // OP1: the starting effect volume.
    Text(kVolumePanel[0] + 6, kVolumePanel[1], kVolumeLabel, off);
    for (int level = 1; level <= 3; ++level) {
        Rect o = VolumeRect(level);
        ImGui::PushID(level);
        if (OptionButton(o.x, o.y, o.w, o.h, kVolumeCaptions[level - 1], g_InitVol == level, off))
            click(Action::Volume, level);
        ImGui::PopID();
    }
    Text(VolumeRect(1).x, kVolumePanel[1] + 20, kVolumeNote, off);

    // OP2: the preferred music port.
    Text(kPortPanel[0] + 6, kPortPanel[1], kPortLabel, off);
    for (int i = 0; i < 2; ++i) {
        Rect o = PortRect(i);
        if (OptionButton(o.x, o.y, o.w, o.h, kPortCaptions[i], g_DefaultPort == (i == 0), off)) click(Action::Port, i);
    }

    // The notes, BTN5 and the version line.
    Text(16, kEscNoteTop, kEscNote, off);
    {
        char version[64];
        std::snprintf(version, sizeof version, "%s  Version  %s", kBuildKind, kVersion);
        float w = ImGui::CalcTextSize(version).x;
        Text(kWidth - 16 - static_cast<int>(w), kVersionTop, version, off);
    }
    if (off) ImGui::PushStyleColor(ImGuiCol_Text, kGreyText);
    Rect s = SaveRect();
    PlaceCursor(s.x, s.y);
    if (ImGui::Button(kSaveCaption, Vec(s.w, s.h))) click(Action::Save);
    Rect st = StartRect();
    PlaceCursor(st.x, st.y);
    char start_label[64];
    std::snprintf(start_label, sizeof start_label, "%s###start", start_caption_.c_str());
    if (ImGui::Button(start_label, Vec(st.w, st.h))) click(Action::Start);
    if (off) ImGui::PopStyleColor();

    ImGui::EndDisabled();
    ImGui::End();
}
