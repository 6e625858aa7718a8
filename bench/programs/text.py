# (c) a text built by appending the decimal digits of 1..200000
def main():
    s = ""
    for i in range(1, 200001):
        s += str(i)
    print(len(s))

main()
