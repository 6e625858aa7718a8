# (b) a while loop summing i*i mod 7
proc main {} {
    set i 1
    set s 0
    while {$i <= 5000000} {
        set s [expr {$s + ($i * $i) % 7}]
        incr i
    }
    puts $s
}
main
