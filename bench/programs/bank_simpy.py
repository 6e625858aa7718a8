# (f) the bank of bank.vex in SimPy 3: a process per customer, the teller a resource
import random

import simpy


def customer(env, teller, stats):
    arrived = env.now
    with teller.request() as turn:
        yield turn
        stats["waited"] += env.now - arrived
        yield env.timeout(random.triangular(1.5, 5, 3))
    stats["served"] += 1


def door(env, teller, stats, customers):
    for _ in range(customers):
        env.process(customer(env, teller, stats))
        yield env.timeout(random.expovariate(0.25))


random.seed(7)
env = simpy.Environment()
teller = simpy.Resource(env, capacity=1)
stats = {"served": 0, "waited": 0.0}
env.process(door(env, teller, stats, 100000))
env.run()
print(stats["served"])
