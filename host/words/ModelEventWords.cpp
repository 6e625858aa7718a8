// Model words: scheduling events, the event that runs, the clock, and running, stopping and
// resetting the model (host/model/Model.h has the run loop).

#include "host/words/ModelWordSupport.h"
#include "host/words/WordTables.h"

#include "runtime/VexScript.h"

#include <cstdint>

namespace vex::host {

namespace {

double CreateEvent(int count, TCallNode& n, TText&, TLanguageInterpreter& c) {
    TModel& model = ModelOf(c);
    const double delay = NumberArg(c, n, 1);
    if (!(delay >= 0)) {
        ArgumentError(c, n, 1,
                      "the delay must be a number of 0 or more, not " + FormatNumber(delay));
    }
    const std::int32_t atom = AtomArg(c, n, 2).Handle();
    const std::int32_t code = count >= 3 ? ModelIntegerArg(c, n, 3, INT32_MIN, INT32_MAX) : 0;
    const std::int32_t priority = count >= 4 ? ModelIntegerArg(c, n, 4, INT32_MIN, INT32_MAX) : 0;
    const std::int32_t involved = count >= 5 ? ReferenceArg(c, n, 5) : 0;
    model.ScheduleEvent(model.Clock() + delay, code, priority, atom, involved, ErrorWordOf(c, n));
    return model.Clock() + delay;
}

double EventCode(int, TCallNode&, TText&, TLanguageInterpreter& c) {
    const TEvent* event = ModelOf(c).CurrentEvent();
    return event ? event->Code : 0;
}

double EventCount(int, TCallNode&, TText&, TLanguageInterpreter& c) {
    return static_cast<double>(ModelOf(c).Events().Count());
}

double SimTime(int, TCallNode&, TText&, TLanguageInterpreter& c) {
    return ModelOf(c).Clock();
}

double RunModel(int, TCallNode& n, TText&, TLanguageInterpreter& c) {
    return static_cast<double>(ModelOf(c).RunUntil(c, NumberArg(c, n, 1), WordOf(c, n)));
}

double StopModel(int, TCallNode&, TText&, TLanguageInterpreter& c) {
    ModelOf(c).RequestStop();
    return 0;
}

double ResetModel(int, TCallNode&, TText&, TLanguageInterpreter& c) {
    ModelOf(c).Reset(c);
    return 0;
}

constexpr const char* kSimulation = "Simulation";

// clang-format off
const TWordRow kRows[] = {
    {625, "CreateEvent", kSimulation, CreateEvent, 2, 5, "Schedules the OnEvent handler of an atom after a delay, with a code, a priority (higher first at equal times) and an involved atom; gives the event time.", "CreateEvent(5,c,1,0,i)"},
    {626, "EventCode", kSimulation, EventCode, 0, 0, "The code of the event whose handler runs (0 outside an event).", "If(EventCode=1,Print([arrival]))"},
    {627, "SimTime", kSimulation, SimTime, 0, 0, "The simulation clock.", "Print(SimTime)"},
    {628, "RunModel", kSimulation, RunModel, 1, 1, "Runs the pending events in time order up to a time, then sets the clock to it; gives the number of events run.", "RunModel(480)"},
    {629, "ResetModel", kSimulation, ResetModel, 0, 0, "Sets the clock to 0, drops the pending events and runs OnReset of every atom of the model.", "ResetModel"},
    {630, "StopModel", kSimulation, StopModel, 0, 0, "Ends the running RunModel after the current handler; the clock stays at the event's time.", "StopModel"},
    {631, "EventCount", kSimulation, EventCount, 0, 0, "The number of pending events.", "EventCount"},
};
// clang-format on

} // namespace

std::span<const TWordRow> ModelEventWordRows() {
    return kRows;
}

} // namespace vex::host
