-- (c) a text built from the decimal digits of 1..200000
local parts = {}
for i = 1, 200000 do
  parts[#parts + 1] = tostring(i)
end
local s = table.concat(parts)
print(#s)
