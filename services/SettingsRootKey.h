#pragma once

// The registry key, below the current user's root, under which all of Zentaro's settings live:
//
//   \General                   "Application Language" (32-bit integer): the language number;
//                              "Stop At First Error" (32-bit integer, 0 or 1)
//   \Forms\<component name>    "WindowState", "Left", "Top", "Width", "Height": window placement
//
// Readers open the keys without creating them and fall back to their defaults.
inline constexpr char SettingsRootKey[] = "Software\\Velmark Zentaro\\Zentaro\\8.0";
