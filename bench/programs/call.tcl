# (d) a three-parameter procedure returning a+b*c, called 2,000,000 times
proc mad {a b c} {
    return [expr {$a + $b * $c}]
}
proc main {} {
    set i 1
    set s 0
    while {$i <= 2000000} {
        set s [mad $s $i 2]
        incr i
    }
    puts $s
}
main
