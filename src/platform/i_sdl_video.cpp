// SDL back-end: the game window, presenting frames, window events, message boxes.
#include <string>

#include "platform/i_input_map.h"
#include "platform/i_sdl_backend.h"
#include "platform/i_sdl_display.h"

SdlBackend::~SdlBackend() {
    CloseAudio();
    CloseInput();
    CloseDisplay();
}

bool SdlBackend::OpenWindow(int width, int height, bool full_screen) {
    if (!video_) {
        std::string why;
        if (!SdlVideoStart(&why)) return Fail(why);
        video_ = true;
    }
    SDL_SetHint(SDL_HINT_RENDER_SCALE_QUALITY, "0");  // nearest neighbour: crisp 2x pixels
    const Uint32 flags = SDL_WINDOW_SHOWN | (full_screen ? SDL_WINDOW_FULLSCREEN_DESKTOP : 0);
    window_ = SDL_CreateWindow("zenit", SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, width, height, flags);
    if (!window_) return Fail(std::string("SDL window: ") + SDL_GetError());
    // Hardware with vsync where there is some; the software renderer otherwise.
    renderer_ = SDL_CreateRenderer(window_, -1, SDL_RENDERER_ACCELERATED | SDL_RENDERER_PRESENTVSYNC);
    if (!renderer_) renderer_ = SDL_CreateRenderer(window_, -1, SDL_RENDERER_SOFTWARE);
    if (!renderer_) {
        SDL_DestroyWindow(window_);
        window_ = nullptr;
        return Fail(std::string("SDL renderer: ") + SDL_GetError());
    }
    // Larger screens show the picture at a whole multiple, with black borders.
    SDL_RenderSetLogicalSize(renderer_, width, height);
    SDL_RenderSetIntegerScale(renderer_, SDL_TRUE);
    dest_w_ = width;
    dest_h_ = height;
    SDL_SetRenderDrawColor(renderer_, 0, 0, 0, 255);
    SDL_RenderClear(renderer_);
    SDL_RenderPresent(renderer_);
    return true;
}

bool SdlBackend::OpenDisplay(int width, int height) {
    CloseDisplay();
    if (width <= 0 || height <= 0) return Fail("bad display size");
    return OpenWindow(width, height, want_full_screen_);
}

void SdlBackend::CloseDisplay() {
    if (texture_) SDL_DestroyTexture(texture_);
    if (renderer_) SDL_DestroyRenderer(renderer_);
    if (window_) SDL_DestroyWindow(window_);
    texture_ = nullptr;
    renderer_ = nullptr;
    window_ = nullptr;
    tex_w_ = tex_h_ = 0;
    if (video_) {
        SdlVideoStop();
        video_ = false;
    }
}

void SdlBackend::ToggleFullScreen() {
    if (!window_) return;
    SDL_SetWindowFullscreen(window_, IsFullScreen() ? 0 : SDL_WINDOW_FULLSCREEN_DESKTOP);
}

bool SdlBackend::IsFullScreen() const {
    return window_ && (SDL_GetWindowFlags(window_) & SDL_WINDOW_FULLSCREEN_DESKTOP) != 0;
}

bool SdlBackend::EnsureTexture(int width, int height) {
    if (texture_ && tex_w_ == width && tex_h_ == height) return true;
    if (texture_) SDL_DestroyTexture(texture_);
    texture_ = SDL_CreateTexture(renderer_, SDL_PIXELFORMAT_ARGB8888, SDL_TEXTUREACCESS_STREAMING, width, height);
    if (!texture_) return Fail(std::string("SDL texture: ") + SDL_GetError());
    tex_w_ = width;
    tex_h_ = height;
    return true;
}

bool SdlBackend::Draw(int dest_w, int dest_h) {
    const SDL_Rect dest{0, 0, dest_w, dest_h};
    return SDL_RenderClear(renderer_) == 0 && SDL_RenderCopy(renderer_, texture_, nullptr, &dest) == 0;
}

bool SdlBackend::Present(int dest_w, int dest_h) {
    if (!Draw(dest_w, dest_h)) return Fail(std::string("SDL render: ") + SDL_GetError());
    SDL_RenderPresent(renderer_);
    return true;
}

bool SdlBackend::PresentIndexed(const std::uint8_t* pixels, int pitch, int width, int height,
                                const std::uint32_t* palette) {
    if (!renderer_) return Fail("no display");
    const Uint64 start = SDL_GetPerformanceCounter();
    if (!EnsureTexture(width, height)) return false;
    void* dst = nullptr;
    int dst_pitch = 0;
    if (SDL_LockTexture(texture_, nullptr, &dst, &dst_pitch) != 0) return Fail(std::string("SDL lock: ") + SDL_GetError());
    // One pass from palette indices into the texture.
    map_.SetTable(palette, 0xFF000000u);
    map_.MapRows(pixels, pitch, static_cast<std::uint8_t*>(dst), dst_pitch, width, height);
    SDL_UnlockTexture(texture_);
    const bool ok = Present(dest_w_, dest_h_);
    present_ticks_ += SDL_GetPerformanceCounter() - start;
    ++presents_;
    return ok;
}

bool SdlBackend::PresentAgain() {
    if (!renderer_ || !texture_) return Fail("no frame to show again");
    return Present(dest_w_, dest_h_);
}

bool SdlBackend::PresentRgb(const std::uint32_t* pixels, int width, int height, int dest_w, int dest_h) {
    if (!renderer_ && !OpenWindow(dest_w, dest_h, false)) return false;
    if (!EnsureTexture(width, height)) return false;
    if (SDL_UpdateTexture(texture_, nullptr, pixels, width * 4) != 0) return Fail(std::string("SDL texture: ") + SDL_GetError());
    return Present(dest_w, dest_h);
}

bool SdlBackend::ReadBack(std::vector<std::uint32_t>& pixels, int& w, int& h) {
    if (!renderer_ || !texture_) return false;
    if (SDL_GetRendererOutputSize(renderer_, &w, &h) != 0 || !Draw(dest_w_, dest_h_)) return false;
    pixels.assign(static_cast<std::size_t>(w) * h, 0);
    // Reads the whole output, borders included, regardless of the logical size.
    SDL_RenderSetLogicalSize(renderer_, 0, 0);
    const int rc = SDL_RenderReadPixels(renderer_, nullptr, SDL_PIXELFORMAT_ARGB8888, pixels.data(), w * 4);
    SDL_RenderSetLogicalSize(renderer_, dest_w_, dest_h_);
    return rc == 0;
}

double SdlBackend::MeanPresentMs() const {
    return presents_ ? 1000.0 * static_cast<double>(present_ticks_) / presents_ /
                           static_cast<double>(SDL_GetPerformanceFrequency())
                     : 0.0;
}

void SdlBackend::ShowCursor(bool shown) { SDL_ShowCursor(shown ? SDL_ENABLE : SDL_DISABLE); }

void SdlBackend::PumpEvents(WindowEventSink* sink) {
    if (!video_ && !joystick_) return;
    const Uint32 our_window = window_ ? SDL_GetWindowID(window_) : 0;
    SDL_Event e;
    while (SDL_PollEvent(&e)) {
        switch (e.type) {
        case SDL_QUIT:
            if (sink) sink->OnClose();
            break;
        case SDL_KEYDOWN: {
            const Uint16 mod = e.key.keysym.mod;
            const SDL_Keycode key = e.key.keysym.sym;
            if ((mod & KMOD_ALT) && (key == SDLK_RETURN || key == SDLK_KP_ENTER)) {
                if (!e.key.repeat) ToggleFullScreen();
                break;
            }
            const int vk = VirtualKeyFromSdl(key);
            if (sink && vk) sink->OnKeyDown(vk, mod & KMOD_CTRL, mod & KMOD_SHIFT, mod & KMOD_ALT);
            break;
        }
        case SDL_MOUSEBUTTONDOWN:
            if (sink && e.button.windowID == our_window) sink->OnMouseDown();
            break;
        case SDL_WINDOWEVENT:
            if (!sink || e.window.windowID != our_window) break;
            if (e.window.event == SDL_WINDOWEVENT_FOCUS_GAINED) sink->OnActivate();
            if (e.window.event == SDL_WINDOWEVENT_FOCUS_LOST) sink->OnDeactivate();
            if (e.window.event == SDL_WINDOWEVENT_EXPOSED) sink->OnPaint();
            break;
        case SDL_JOYDEVICEREMOVED:
            if (pad_ && e.jdevice.which == SDL_JoystickInstanceID(pad_)) {
                SDL_JoystickClose(pad_);
                pad_ = nullptr;
            }
            break;
        case SDL_JOYDEVICEADDED:
            // Whether there is a pad is decided when the input is opened: a pad
            // plugged in later is not seen, but one that was there may come back.
            if (joystick_ && !pad_ && pad_at_setup_) OpenFirstPad();
            break;
        default: break;
        }
    }
}

MsgBoxResult SdlBackend::ShowMessage(std::string_view text, std::string_view title, MsgBoxStyle style) {
    const std::string t(text), c(title);
    // A full-screen window would hide the box.
    if (IsFullScreen()) SDL_SetWindowFullscreen(window_, 0);
    if (style != MsgBoxStyle::YesNo) {
        const Uint32 flags = style == MsgBoxStyle::OkExclamation ? SDL_MESSAGEBOX_WARNING : SDL_MESSAGEBOX_INFORMATION;
        if (SDL_ShowSimpleMessageBox(flags, c.c_str(), t.c_str(), window_) != 0)
            SDL_Log("[%s] %s", c.c_str(), t.c_str());
        return MsgBoxResult::Ok;
    }
    const SDL_MessageBoxButtonData buttons[] = {
        {SDL_MESSAGEBOX_BUTTON_RETURNKEY_DEFAULT, 1, "Yes"},
        {SDL_MESSAGEBOX_BUTTON_ESCAPEKEY_DEFAULT, 0, "No"},
    };
    const SDL_MessageBoxData data{SDL_MESSAGEBOX_INFORMATION, window_, c.c_str(), t.c_str(), 2, buttons, nullptr};
    int pressed = 0;
    if (SDL_ShowMessageBox(&data, &pressed) != 0) {
        SDL_Log("[%s] %s", c.c_str(), t.c_str());
        return MsgBoxResult::No;
    }
    return pressed == 1 ? MsgBoxResult::Yes : MsgBoxResult::No;
}
