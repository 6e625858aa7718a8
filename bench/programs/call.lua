-- (d) a three-parameter function returning a+b*c, called 2,000,000 times
local function mad(a, b, c)
  return a + b * c
end
local i, s = 1, 0
while i <= 2000000 do
  s = mad(s, i, 2)
  i = i + 1
end
print(s)
