#include "platform/i_headless.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "core/clock.h"
#include "platform/audio_engine.h"

void HeadlessBackend::SetPadState(bool left, bool right, bool up, bool down, std::uint32_t buttons) {
    pad_ = PadReading{};
    pad_.left = left;
    pad_.right = right;
    pad_.up = up;
    pad_.down = down;
    pad_.button_count = 32;
    for (int b = 0; b < 32; ++b) pad_.buttons[b] = (buttons >> b) & 1 ? 0x80 : 0;
}

void HeadlessBackend::QueueKeyDown(int vk, bool ctrl, bool shift, bool alt) {
    events_.push_back({EventKind::Key, vk, ctrl, shift, alt});
}
void HeadlessBackend::QueueMouseDown() { events_.push_back({EventKind::Mouse}); }
void HeadlessBackend::QueueActivate() { events_.push_back({EventKind::Activate}); }
void HeadlessBackend::QueueDeactivate() { events_.push_back({EventKind::Deactivate}); }
void HeadlessBackend::QueuePaint() { events_.push_back({EventKind::Paint}); }
void HeadlessBackend::QueueClose() { events_.push_back({EventKind::Close}); }

void HeadlessBackend::PumpEvents(WindowEventSink* sink) {
    // A handler may queue further events; those wait for the next pump.
    std::vector<QueuedEvent> pending;
    pending.swap(events_);
    if (!sink) return;
    for (const QueuedEvent& e : pending) {
        switch (e.kind) {
        case EventKind::Key: sink->OnKeyDown(e.vk, e.ctrl, e.shift, e.alt); break;
        case EventKind::Mouse: sink->OnMouseDown(); break;
        case EventKind::Activate: sink->OnActivate(); break;
        case EventKind::Deactivate: sink->OnDeactivate(); break;
        case EventKind::Paint: sink->OnPaint(); break;
        case EventKind::Close: sink->OnClose(); break;
        }
    }
}

bool HeadlessBackend::OpenDisplay(int width, int height) {
    if (width <= 0 || height <= 0) return Fail("bad display size");
    display_open_ = true;
    display_w_ = width;
    display_h_ = height;
    return true;
}

bool HeadlessBackend::PresentIndexed(const std::uint8_t* pixels, int pitch, int width, int height,
                                     const std::uint32_t* palette) {
    frame_.width = width;
    frame_.height = height;
    frame_.rgb.resize(static_cast<std::size_t>(width) * height);
    if (keep_indices_) {
        frame_.indices.resize(frame_.rgb.size());
        for (int y = 0; y < height; ++y)
            std::memcpy(frame_.indices.data() + static_cast<std::size_t>(y) * width,
                        pixels + static_cast<std::ptrdiff_t>(y) * pitch, static_cast<std::size_t>(width));
    } else {
        frame_.indices.clear();
    }
    map_.SetTable(palette);
    map_.MapRows(pixels, pitch, reinterpret_cast<std::uint8_t*>(frame_.rgb.data()), 4 * std::ptrdiff_t{width}, width,
                 height);
    ++presents_;
    return true;
}

bool HeadlessBackend::PresentAgain() {
    if (frame_.rgb.empty()) return Fail("no frame to show again");
    ++presents_;
    return true;
}

bool HeadlessBackend::PresentRgb(const std::uint32_t* pixels, int width, int height, int dest_w, int dest_h) {
    if (!display_open_ && !OpenDisplay(dest_w, dest_h)) return false;
    frame_.width = width;
    frame_.height = height;
    frame_.indices.clear();
    frame_.rgb.assign(pixels, pixels + static_cast<std::size_t>(width) * height);
    for (auto& p : frame_.rgb) p &= 0xFFFFFF;
    ++presents_;
    return true;
}

std::uint64_t HeadlessBackend::FrameHash() const {
    if (frame_.rgb.empty()) return 0;
    std::uint64_t h = 1469598103934665603ULL;
    for (std::uint32_t p : frame_.rgb) {
        for (int i = 0; i < 3; ++i) {
            h ^= (p >> (8 * i)) & 0xFF;
            h *= 1099511628211ULL;
        }
    }
    return h;
}

bool HeadlessBackend::WriteBmp(const std::string& path) const {
    if (frame_.rgb.empty()) return false;
    const int w = frame_.width, h = frame_.height;
    const int row = (w * 3 + 3) & ~3;
    const std::uint32_t image = static_cast<std::uint32_t>(row) * h;
    std::vector<std::uint8_t> out(54 + image, 0);
    auto put32 = [&](int at, std::uint32_t v) {
        for (int i = 0; i < 4; ++i) out[at + i] = static_cast<std::uint8_t>(v >> (8 * i));
    };
    out[0] = 'B';
    out[1] = 'M';
    put32(2, static_cast<std::uint32_t>(out.size()));
    put32(10, 54);
    put32(14, 40);
    put32(18, static_cast<std::uint32_t>(w));
    put32(22, static_cast<std::uint32_t>(h));
    out[26] = 1;
    out[28] = 24;
    put32(34, image);
    for (int y = 0; y < h; ++y) {
        std::uint8_t* dst = out.data() + 54 + static_cast<std::size_t>(h - 1 - y) * row;  // bottom-up rows
        for (int x = 0; x < w; ++x) {
            const std::uint32_t p = frame_.rgb[static_cast<std::size_t>(y) * w + x];
            dst[3 * x] = p & 0xFF;
            dst[3 * x + 1] = (p >> 8) & 0xFF;
            dst[3 * x + 2] = (p >> 16) & 0xFF;
        }
    }
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) return false;
    const bool ok = std::fwrite(out.data(), 1, out.size(), f) == out.size();
    return std::fclose(f) == 0 && ok;
}

void HeadlessBackend::ShowCursor(bool shown) {
    cursor_shown_ = shown;
    ++cursor_calls_;
}

bool HeadlessBackend::ReadPad(PadReading& pad) {
    if (!pad_present_) return false;
    pad = pad_;
    return true;
}

bool HeadlessBackend::ReadKeyboard(KeyboardState& keys) {
    keys = keys_;
    return true;
}

bool HeadlessBackend::OpenAudio(AudioEngine& engine) {
    engine_ = &engine;
    clock_ = &GetClock();
    clock_base_ = GetClock().Counter();
    rendered_ = 0;
    captured_.clear();
    return true;
}

// No last sync: the clock may already be gone when the program ends.
void HeadlessBackend::CloseAudio() { engine_ = nullptr; }

void HeadlessBackend::SyncAudio() {
    if (!engine_) return;
    Clock& clock = GetClock();
    const std::int64_t freq = clock.Frequency();
    if (freq <= 0) return;
    if (&clock != clock_) {
        // Another clock was installed: its time starts from here, and the
        // old clock's time (possibly gone with its owner) is never read.
        clock_ = &clock;
        clock_base_ = clock.Counter() - static_cast<std::int64_t>(static_cast<__int128>(rendered_) * freq / kAudioRate);
        return;
    }
    const std::int64_t elapsed = clock.Counter() - clock_base_;
    const std::int64_t target =
        static_cast<std::int64_t>(static_cast<__int128>(std::max<std::int64_t>(elapsed, 0)) * kAudioRate / freq);
    if (target <= rendered_) return;
    const std::int64_t frames = target - rendered_;
    std::int16_t* out = nullptr;
    if (capture_) {
        const std::size_t at = captured_.size();
        captured_.resize(at + 2 * static_cast<std::size_t>(frames));
        out = captured_.data() + at;
    }
    for (std::int64_t done = 0; done < frames;) {
        const int n = static_cast<int>(std::min<std::int64_t>(frames - done, 1 << 16));
        engine_->Render(out ? out + 2 * done : nullptr, n);
        done += n;
    }
    rendered_ = target;
}

void HeadlessBackend::RecordAudioCall(AudioOp op, int id, int value) { calls_.push_back({op, id, value, frame_tag_}); }

MsgBoxResult HeadlessBackend::ShowMessage(std::string_view text, std::string_view title, MsgBoxStyle style) {
    messages_.push_back({std::string(text), std::string(title), style});
    return style == MsgBoxStyle::YesNo ? MsgBoxResult::Yes : MsgBoxResult::Ok;
}
