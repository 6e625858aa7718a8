# (d) a three-parameter function returning a+b*c, called 2,000,000 times
def mad(a, b, c):
    return a + b * c

def main():
    i = 1
    s = 0
    while i <= 2000000:
        s = mad(s, i, 2)
        i = i + 1
    print(s)

main()
