-- (b) a while loop summing i*i mod 7
local i, s = 1, 0
while i <= 5000000 do
  s = s + (i * i) % 7
  i = i + 1
end
print(s)
