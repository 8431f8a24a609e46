// Standard MIDI files, and a song that reads played through the sequencer
// (loop included) for a bounded number of steps.
#include <span>

#include "fuzz_target.h"
#include "platform/midi_file.h"
#include "platform/midi_sequencer.h"

namespace {

class CountingSink final : public MidiSink {
public:
    void ShortMessage(std::uint8_t, std::uint8_t, std::uint8_t) override { ++messages; }
    void SysEx(std::span<const std::uint8_t> body) override { messages += body.size() > 0; }
    std::size_t messages = 0;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    MidiSong song;
    if (!ParseMidiFile(std::span<const std::uint8_t>(data, size), song)) return 0;
    (void)TempoAt(song, song.length / 2);
    CountingSink sink;
    MidiSequencer sequencer(44100);
    // The loop: the second half of the song, played twice more.
    sequencer.Start(&song, 0, song.length / 2, song.length, 2, &sink);
    for (int step = 0; step < 20000 && sequencer.Playing(); ++step) sequencer.Step(4096, &sink);
    (void)sequencer.Seek();
    sequencer.Stop(&sink);
    return 0;
}
