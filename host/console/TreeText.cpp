#include "host/console/TreeText.h"

#include "runtime/VexWords.h"

#include <string>

namespace vex::host {

namespace {

void WriteNode(const TLanguageInterpreter& context, const TCodeNode& node, int depth,
               std::ostream& out) {
    out << std::string(static_cast<std::size_t>(depth) * 2, ' ');
    if (node.IsNumberConstant()) {
        out << FormatNumber(static_cast<const TConstantNode&>(node).Value) << '\n';
    } else if (node.IsTextConstant()) {
        out << '[' << static_cast<const TTextConstantNode&>(node).Text.view() << "]\n";
    } else if (node.IsVariable()) {
        out << '$' << static_cast<const TVariableNode&>(node).Var->Name
            << (node.IsLocalVariable() ? " local\n" : " global\n");
    } else {
        const auto& call = static_cast<const TCallNode&>(node);
        out << context.WordName(call.WordNumber) << " #" << call.WordNumber << " ("
            << static_cast<int>(call.ArgCount) << ")\n";
        for (int i = 1; i <= call.ArgCount; ++i) {
            WriteNode(context, *call.Arg(i), depth + 1, out);
        }
    }
}

} // namespace

void WriteCodeTree(const TLanguageInterpreter& context, const TCodeNode& root, std::ostream& out) {
    WriteNode(context, root, 0, out);
}

} // namespace vex::host
