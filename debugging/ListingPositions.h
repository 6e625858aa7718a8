#pragma once

#include <string_view>
#include <vector>

// Turns offsets in a code listing into positions of the editor that shows it.
//
// The listing breaks its lines with LF, and text constants in it carry their own line breaks as
// CR LF; the editor holds every line break as one character and every TAB as its indentation
// text. An offset therefore moves back by one for each CR LF before it and forward by the
// indentation's length less one for each TAB before it; nothing else changes length. Most
// listings hold neither, and then an offset is the editor position itself.
class TListingPositions {
public:
    TListingPositions() = default;
    // `indentWidth`: the characters the editor puts in place of a TAB.
    TListingPositions(std::string_view listing, int indentWidth);

    // The editor position of a listing offset; an offset on the LF of a CR LF stands for the
    // line break, as the CR does.
    int ControlPosition(int offset) const;

private:
    // From `Offset` on, offsets move by `Total` (the changes of all shifts up to this one).
    struct TShift {
        int Offset;
        int Total;
    };
    std::vector<TShift> m_shifts;
};
