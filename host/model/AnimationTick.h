#pragma once

#include <cstdint>

namespace vex {
class TLanguageInterpreter;
}

namespace vex::host {

class TModel;
class TModelViews;

// The animation of a running model: while the model runs its events, a frame is drawn whenever
// the frame interval has passed, by running the drawing handlers (On2DDraw, On3DDraw) of the
// model's atoms in tree order, as runs of animation origin. Frames are drawn only while a model
// view is there to show them; the console has none, so it never draws.
class TAnimationTick {
public:
    // Milliseconds per frame; the application sets it from its frame rate.
    std::int32_t FrameInterval = 28;
    // The views that show the frames (none: no frames).
    const TModelViews* Views = nullptr;
    // Monotonic milliseconds; tests put in a clock of their own.
    std::uint64_t (*Clock)() noexcept = &SteadyMilliseconds;

    // True when a view is there and a frame interval has passed since the last frame; the
    // frame is then counted as drawn.
    bool FrameDue() noexcept;
    // Runs the drawing handlers of every atom of the model.
    void DrawFrame(TLanguageInterpreter& context, TModel& model);
    // The frames drawn so far.
    std::uint64_t Frames() const noexcept { return m_frames; }

    static std::uint64_t SteadyMilliseconds() noexcept;

private:
    std::uint64_t m_lastFrame = 0;
    std::uint64_t m_frames = 0;
    bool m_started = false;
};

} // namespace vex::host
