#include "platform/midi_sequencer.h"

#include <algorithm>

namespace {

// Music units per frame = kUnitScale / (rate * tempo).
constexpr std::int64_t kUnitScale = std::int64_t{kMusicUnitsPerQuarter} * 1'000'000;

bool IsNote(std::uint8_t status) {
    const std::uint8_t kind = status & 0xF0;
    return kind == 0x80 || kind == 0x90 || kind == 0xA0;
}

}  // namespace

void MusicClock::Reset(std::int64_t units, std::uint32_t us_per_quarter, int rate) {
    units_ = units;
    remainder_ = 0;
    rate_ = rate;
    tempo_ = us_per_quarter;
    den_ = static_cast<std::int64_t>(rate) * us_per_quarter;
}

void MusicClock::SetTempo(std::uint32_t us_per_quarter) {
    const std::int64_t den = static_cast<std::int64_t>(rate_) * us_per_quarter;
    remainder_ = static_cast<std::int64_t>(static_cast<__int128>(remainder_) * den / den_);
    den_ = den;
    tempo_ = us_per_quarter;
}

void MusicClock::Advance(std::int64_t frames) {
    const __int128 acc = static_cast<__int128>(remainder_) + static_cast<__int128>(frames) * kUnitScale;
    units_ += static_cast<std::int64_t>(acc / den_);
    remainder_ = static_cast<std::int64_t>(acc % den_);
}

std::int64_t MusicClock::FramesUntil(std::int64_t target) const {
    if (target <= units_) return 0;
    const __int128 need = static_cast<__int128>(target - units_) * den_ - remainder_;
    const __int128 frames = (need + kUnitScale - 1) / kUnitScale;
    return frames > INT64_MAX ? INT64_MAX : static_cast<std::int64_t>(frames);
}

MidiSequencer::MidiSequencer(int rate) : rate_(rate) {
    pos_.Reset(0, kDefaultTempo, rate);
    perf_.Reset(0, kDefaultTempo, rate);
}

void MidiSequencer::Start(const MidiSong* song, std::int64_t start, std::int64_t loop_start, std::int64_t loop_end,
                          std::int32_t repeats, MidiSink* sink) {
    Stop(sink);
    if (!song) return;
    song_ = song;
    start = std::clamp<std::int64_t>(start, 0, song->length);
    if (loop_start == 0 && loop_end == 0) loop_end = song->length;
    loop_start_ = loop_start;
    loop_end_ = loop_end;
    repeats_ = repeats;
    loop_active_ = repeats != 0 && loop_start < loop_end && loop_end <= song->length && start < loop_end;

    // Bring controllers, programs and pitch bend up to date before playing
    // from the middle; notes that began earlier are not restarted.
    for (const MidiEvent& ev : song->events) {
        if (ev.time >= start) break;
        if (!IsNote(ev.status)) Send(ev, sink);
    }
    pos_.Reset(start, TempoAt(*song, start), rate_);
    perf_.SetTempo(pos_.Tempo());
    SeekEvents(start);
}

void MidiSequencer::Stop(MidiSink* sink) {
    if (!song_) return;
    ReleaseNotes(sink);
    song_ = nullptr;
}

std::int64_t MidiSequencer::Seek() const {
    if (!song_) return 0;
    return std::min(pos_.Units(), song_->length);
}

void MidiSequencer::SeekEvents(std::int64_t time) {
    const auto& events = song_->events;
    next_event_ = static_cast<std::size_t>(
        std::lower_bound(events.begin(), events.end(), time,
                         [](const MidiEvent& e, std::int64_t t) { return e.time < t; }) -
        events.begin());
    const auto& tempo = song_->tempo;
    next_tempo_ = static_cast<std::size_t>(
        std::upper_bound(tempo.begin(), tempo.end(), time,
                         [](std::int64_t t, const TempoPoint& p) { return t < p.time; }) -
        tempo.begin());
}

void MidiSequencer::SetTempo(std::uint32_t us) {
    pos_.SetTempo(us);
    perf_.SetTempo(us);
}

void MidiSequencer::Send(const MidiEvent& ev, MidiSink* sink) {
    const std::uint8_t kind = ev.status & 0xF0;
    const int ch = ev.status & 0x0F;
    if (kind == 0x90 && ev.data2 > 0) {
        if (sounding_[ch][ev.data1] < 255) ++sounding_[ch][ev.data1];
    } else if (kind == 0x80 || kind == 0x90) {
        if (sounding_[ch][ev.data1] > 0) --sounding_[ch][ev.data1];
    }
    if (!sink) return;
    if (ev.status == 0xF0) {
        sink->SysEx(song_->sysex[ev.sysex]);
    } else {
        sink->ShortMessage(ev.status, ev.data1, ev.data2);
    }
}

void MidiSequencer::ReleaseNotes(MidiSink* sink) {
    for (int ch = 0; ch < 16; ++ch) {
        for (int key = 0; key < 128; ++key) {
            for (; sounding_[ch][key] > 0; --sounding_[ch][key]) {
                if (sink) sink->ShortMessage(static_cast<std::uint8_t>(0x80 | ch), static_cast<std::uint8_t>(key), 0);
            }
        }
    }
}

int MidiSequencer::Step(int max_frames, MidiSink* sink) {
    if (max_frames <= 0) return 0;
    if (!song_) {
        perf_.Advance(max_frames);
        return max_frames;
    }
    const auto& events = song_->events;
    const auto& tempo = song_->tempo;
    for (;;) {
        const std::int64_t now = pos_.Units();
        if (loop_active_ && now >= loop_end_) {
            // Back to the loop start; what ran past the end carries over.
            ReleaseNotes(sink);
            pos_.SetUnits(loop_start_ + (now - loop_end_) % (loop_end_ - loop_start_));
            SeekEvents(loop_start_);
            SetTempo(TempoAt(*song_, loop_start_));
            if (repeats_ > 0 && --repeats_ == 0) loop_active_ = false;
            continue;
        }
        while (next_event_ < events.size() && events[next_event_].time <= now &&
               !(loop_active_ && events[next_event_].time >= loop_end_)) {
            Send(events[next_event_++], sink);
        }
        while (next_tempo_ < tempo.size() && tempo[next_tempo_].time <= now) SetTempo(tempo[next_tempo_++].us_per_quarter);
        if (!loop_active_ && now >= song_->length) {
            Stop(sink);
            perf_.Advance(max_frames);
            return max_frames;
        }
        break;
    }

    std::int64_t boundary = loop_active_ ? loop_end_ : song_->length;
    if (next_event_ < events.size()) boundary = std::min(boundary, events[next_event_].time);
    if (next_tempo_ < tempo.size()) boundary = std::min(boundary, tempo[next_tempo_].time);
    const int frames = static_cast<int>(std::clamp<std::int64_t>(pos_.FramesUntil(boundary), 1, max_frames));
    pos_.Advance(frames);
    perf_.Advance(frames);
    return frames;
}
