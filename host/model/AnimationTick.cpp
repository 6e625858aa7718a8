#include "host/model/AnimationTick.h"

#include "host/model/HandlerKinds.h"
#include "host/model/Model.h"
#include "host/model/ModelViews.h"

#include <chrono>

namespace vex::host {

std::uint64_t TAnimationTick::SteadyMilliseconds() noexcept {
    return static_cast<std::uint64_t>(std::chrono::duration_cast<std::chrono::milliseconds>(
                                          std::chrono::steady_clock::now().time_since_epoch())
                                          .count());
}

bool TAnimationTick::FrameDue() noexcept {
    if (!Views || Views->Count() == 0) {
        return false;
    }
    const std::uint64_t now = Clock();
    if (m_started && now - m_lastFrame < static_cast<std::uint64_t>(FrameInterval)) {
        return false;
    }
    m_started = true;
    m_lastFrame = now;
    return true;
}

void TAnimationTick::DrawFrame(TLanguageInterpreter& context, TModel& model) {
    ++m_frames;
    for (const std::int32_t atom : model.Subtree(model.Root())) {
        for (const THandlerKind kind : {THandlerKind::On2DDraw, THandlerKind::On3DDraw}) {
            TText ignored;
            model.RunHandler(context, atom, static_cast<int>(kind), 0, ignored, roAnimation);
        }
    }
}

} // namespace vex::host
