#pragma once

#include <string>
#include <string_view>

namespace vex {

// The syntax line of a word as the word overview and the word reference show it: the name, then
// the argument placeholders e1, e2, ... with the optional ones in braces. Examples for the
// argument range (min, max): (0,0) "Name", (2,2) "Name(e1,e2)", (1,3) "Name(e1{,e2,e3})", (0,2)
// "Name{(e1,e2)}", (1,255) "Name(e1{,e2...e255})"; a range of more than 10 optional arguments is
// shortened to its first and last placeholder.
std::string BuildSyntaxLine(std::string_view name, int min, int max);

} // namespace vex
