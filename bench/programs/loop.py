# (b) a while loop summing i*i mod 7
def main():
    i = 1
    s = 0
    while i <= 5000000:
        s = s + (i * i) % 7
        i = i + 1
    print(s)

main()
