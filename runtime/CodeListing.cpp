#include "runtime/CodeListing.h"

#include "runtime/NumberText.h"
#include "runtime/Variables.h"
#include "runtime/VexScript.h"

#include <atomic>
#include <cassert>
#include <cstdlib>
#include <new>
#include <vector>

namespace vex {

namespace {

// The serial of the next listing built (0 is none).
std::atomic<std::uint64_t> nextListingSerial{1};

std::string_view WithoutLeadingBlank(std::string_view name) {
    return !name.empty() && name.front() == ' ' ? name.substr(1) : name;
}

// Every lone CR and lone LF becomes CR LF.
std::string NormalizedLineBreaks(std::string_view text) {
    std::string result;
    result.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\r') {
            result += "\r\n";
            if (i + 1 < text.size() && text[i + 1] == '\n') {
                ++i;
            }
        } else if (c == '\n') {
            result += "\r\n";
        } else {
            result += c;
        }
    }
    return result;
}

// Builds one listing: a measuring pass decides the layout and the exact length of the text, a
// writing pass fills the text and the position records. Nodes are numbered in pre-order, which
// is also the order of the records.
class TListingBuilder {
public:
    explicit TListingBuilder(const TLanguageInterpreter& context)
        : m_context(context) {}

    TListing* Build(TCodeNode& root) {
        const int count = CountNodes(root);
        m_work.resize(static_cast<std::size_t>(count));
        // The written names are viewed in place; they must not move.
        m_names.reserve(static_cast<std::size_t>(count));
        m_next = 0;
        Measure(root, 0);
        void* memory = std::calloc(1, sizeof(TListing) + sizeof(TPositionRecord) *
                                                             static_cast<std::size_t>(count));
        if (!memory) {
            throw std::bad_alloc();
        }
        m_listing = new (memory) TListing();
        m_listing->Root = &root;
        m_listing->RecordCount = count;
        m_listing->Serial = nextListingSerial.fetch_add(1, std::memory_order_relaxed);
        try {
            m_listing->Text.reserve(m_work[0].Length);
        } catch (...) {
            ReleaseListing(m_listing);
            throw;
        }
        m_next = 0;
        Write(root, 0);
        assert(m_listing->Text.size() == m_work[0].Length && "listing measured wrongly");
        return m_listing;
    }

private:
    struct TWork {
        std::string Leaf;       // the text of a leaf
        std::string_view Name;  // the written name of a call
        std::size_t Width = 0;  // one-line width
        std::size_t Length = 0; // length as written, line breaks included
        bool Broken = false;
    };

    static int CountNodes(const TCodeNode& node) {
        int count = 1;
        if (node.IsCall()) {
            const auto& call = static_cast<const TCallNode&>(node);
            for (int i = 1; i <= call.ArgCount; ++i) {
                count += CountNodes(*call.Arg(i));
            }
        }
        return count;
    }

    std::string LeafText(const TCodeNode& node) const {
        if (node.IsNumberConstant()) {
            return FormatNumber(static_cast<const TConstantNode&>(node).Value);
        }
        if (node.IsTextConstant()) {
            return "[" +
                   NormalizedLineBreaks(static_cast<const TTextConstantNode&>(node).Text.view()) +
                   "]";
        }
        const TVariable* var = static_cast<const TVariableNode&>(node).Var;
        return std::string(WithoutLeadingBlank(var ? std::string_view(var->Name) : ""));
    }

    static bool HasLineBreak(const TCodeNode& node) {
        if (!node.IsTextConstant()) {
            return false;
        }
        return static_cast<const TTextConstantNode&>(node).Text.view().find_first_of("\r\n") !=
               std::string_view::npos;
    }

    // Fills the working values of `node` and its subtree; returns the node's index.
    std::size_t Measure(const TCodeNode& node, std::size_t depth) {
        const std::size_t index = m_next++;
        if (!node.IsCall()) {
            TWork& work = m_work[index];
            work.Leaf = LeafText(node);
            work.Width = work.Length = work.Leaf.size();
            return index;
        }
        const auto& call = static_cast<const TCallNode&>(node);
        m_names.emplace_back(m_context.WordName(call.WordNumber));
        const std::string_view name = WithoutLeadingBlank(m_names.back());
        std::size_t width = name.size();
        std::size_t length = name.size();
        bool broken = false;
        if (call.ArgCount > 0) {
            width += call.ArgCount + 1u;
            length += call.ArgCount + 1u;
            for (int i = 1; i <= call.ArgCount; ++i) {
                const std::size_t arg = Measure(*call.Arg(i), depth + 1);
                width += m_work[arg].Width;
                length += m_work[arg].Length;
                broken = broken || m_work[arg].Broken || HasLineBreak(*call.Arg(i));
            }
            broken = broken || width + depth + 1 > kListingColumns;
            if (broken) {
                // A line break and an indentation of depth + 1 before each argument, of depth
                // before the closing parenthesis.
                length += call.ArgCount * (depth + 2) + depth + 1;
            }
        }
        TWork& work = m_work[index];
        work.Name = name;
        work.Width = width;
        work.Length = length;
        work.Broken = broken;
        return index;
    }

    void NewLine(std::size_t indent) {
        m_listing->Text += '\n';
        m_listing->Text.append(indent, ' ');
    }

    // Writes `node` and fills its record and those of its subtree.
    void Write(TCodeNode& node, std::size_t depth) {
        const std::size_t index = m_next++;
        const TWork& work = m_work[index];
        std::string& text = m_listing->Text;
        const auto start = static_cast<std::int32_t>(text.size());
        std::size_t head = 0;
        if (!node.IsCall()) {
            text += work.Leaf;
            head = work.Leaf.size();
        } else {
            auto& call = static_cast<TCallNode&>(node);
            text += work.Name;
            head = work.Name.size();
            if (call.ArgCount > 0) {
                text += '(';
                for (int i = 1; i <= call.ArgCount; ++i) {
                    if (work.Broken) {
                        NewLine(depth + 1);
                    }
                    Write(*call.Arg(i), depth + 1);
                    if (i < call.ArgCount) {
                        text += ',';
                    }
                }
                if (work.Broken) {
                    NewLine(depth);
                }
                text += ')';
            }
        }
        TPositionRecord& record = m_listing->Records()[index];
        record.RootLink = &m_listing->Records()[0];
        record.Start = start;
        record.HeadLength = static_cast<std::int32_t>(head);
        record.ExtentLength = static_cast<std::int32_t>(text.size()) - start;
        node.LinkSlot() = &record;
        node.Flags |= nfLinkIsPosition;
    }

    const TLanguageInterpreter& m_context;
    std::vector<TWork> m_work;
    std::vector<std::string> m_names;
    std::size_t m_next = 0;
    TListing* m_listing = nullptr;
};

} // namespace

TListing* GetListing(const TLanguageInterpreter& context, TCodeNode* node) {
    if (!node || !node->HasParentLink()) {
        return nullptr;
    }
    if (node->HasPositionRecord()) {
        return TListing::Of(*static_cast<TPositionRecord*>(node->LinkSlot()));
    }
    TCodeNode* root = node;
    while (TCallNode* parent = root->Parent()) {
        root = parent;
    }
    return TListingBuilder(context).Build(*root);
}

TPositionRecord* GetNodePosition(const TLanguageInterpreter& context, TCodeNode* node) {
    if (!GetListing(context, node)) {
        return nullptr;
    }
    return static_cast<TPositionRecord*>(node->LinkSlot());
}

void ReleaseListing(TListing* listing) noexcept {
    if (listing) {
        listing->~TListing();
        std::free(listing);
    }
}

} // namespace vex
