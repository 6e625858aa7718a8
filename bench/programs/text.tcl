# (c) a text built by appending the decimal digits of 1..200000
proc main {} {
    set s ""
    for {set i 1} {$i <= 200000} {incr i} {
        append s $i
    }
    puts [string length $s]
}
main
