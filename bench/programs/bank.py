# (f) the bank of bank.vex by hand: one event list on heapq, the queue as a deque
import heapq
import random
from collections import deque


def bank(customers):
    random.seed(7)
    events = [(0.0, 0, "arrive")]
    sequence = 1
    queue = deque()
    busy = False
    arrivals = served = 0
    waited = 0.0
    while events:
        now, _, kind = heapq.heappop(events)
        if kind == "arrive":
            arrivals += 1
            queue.append(now)
            if arrivals < customers:
                heapq.heappush(events, (now + random.expovariate(0.25), sequence, "arrive"))
                sequence += 1
        else:
            served += 1
            busy = False
        if not busy and queue:
            waited += now - queue.popleft()
            busy = True
            heapq.heappush(events, (now + random.triangular(1.5, 5, 3), sequence, "leave"))
            sequence += 1
    return served


print(bank(100000))
