#!/usr/bin/python3
"""Synthesises Rovenza's built-in sounds: a roll-film sign's motor and an LED
sign's relay.

The outputs are committed, so the C++ build never runs this script.  Run it
again after changing a sound here, listen to the results and commit them:

    /usr/bin/python3 tools/make_sounds.py            # writes into src/resources
    /usr/bin/python3 tools/make_sounds.py --out DIR  # writes under DIR

Only the standard library is used.  Every file is 22,050 Hz 16-bit mono, the
rate the program mixes at, so nothing is converted when they load:

    start.wav  the motor spinning up: a hum and a whine rising to the run's
               pitch, ending exactly where run.wav begins
    run.wav    one loop of the running motor and the film passing the rollers
               (whole periods of every tone, so the loop has no seam)
    stop.wav   the motor running down, the brake's thud and the film settling
    click.wav  a relay closing, with one contact bounce

Everything random is seeded, so two runs give the same files.
"""

import argparse
import math
import os
import random
import struct
import wave

REPO = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
RATE = 22050
PEAK = 0.42  # of full scale: two signs together still stay clear of clipping

HUM = 100.0     # Hz, the motor's hum while it runs
WHINE = 1200.0  # Hz, the gear whine while it runs
RATTLE = 20.0   # film perforations passing a roller, per second
RUN_SECONDS = 0.5  # HUM, WHINE and RATTLE all fit a whole number of times


def motor(phase_hum, phase_whine, loudness):
    """One sample of the running motor at the given phases (radians)."""
    hum = (0.55 * math.sin(phase_hum) + 0.25 * math.sin(2 * phase_hum) + 0.12 * math.sin(3 * phase_hum))
    whine = 0.18 * math.sin(phase_whine) + 0.05 * math.sin(2 * phase_whine)
    return loudness * (hum + whine)


def rattle(t, rng_table):
    """Film ticks RATTLE times a second: short decaying noise bursts."""
    into = (t * RATTLE) % 1.0 / RATTLE
    decay = math.exp(-into * 900.0)
    return 0.10 * decay * rng_table[int(t * RATE) % len(rng_table)]


def noise_table(seed, length):
    rng = random.Random(seed)
    return [rng.uniform(-1.0, 1.0) for _ in range(length)]


NOISE = noise_table(14, int(RATE * RUN_SECONDS))


def run_sound():
    n = int(RATE * RUN_SECONDS)
    out = []
    for i in range(n):
        t = i / RATE
        out.append(motor(2 * math.pi * HUM * t, 2 * math.pi * WHINE * t, 1.0) + rattle(t, NOISE))
    return out


def start_sound(run):
    """The motor spinning up; the last 80 ms fade into the run loop, aligned so
    that the sample after the last one is run[0]."""
    seconds = 0.6
    n = int(RATE * seconds)
    fade = int(RATE * 0.08)
    out = []
    phase_hum = phase_whine = 0.0
    for i in range(n):
        t = i / RATE
        x = t / seconds
        rise = 1.0 - (1.0 - x) ** 2  # fast at first, settling into the run's pitch
        phase_hum += 2 * math.pi * HUM * (0.25 + 0.75 * rise) / RATE
        phase_whine += 2 * math.pi * WHINE * (0.15 + 0.85 * rise) / RATE
        spin = motor(phase_hum, phase_whine, min(1.0, 0.2 + 1.2 * x))
        # The switch closing: a short thump at the very start.
        spin += 0.35 * math.exp(-t * 60.0) * math.sin(2 * math.pi * 55.0 * t)
        into_fade = i - (n - fade)
        if into_fade >= 0:
            w = into_fade / fade
            spin = (1.0 - w) * spin + w * run[(i - n) % len(run)]
        out.append(spin)
    return out


def stop_sound():
    """The motor running down from the run's pitch, the brake's thud and the
    film settling against the rollers."""
    seconds = 0.55
    n = int(RATE * seconds)
    brake = 0.16  # s: when the brake bites
    out = []
    phase_hum = phase_whine = 0.0
    rng = random.Random(41)
    for i in range(n):
        t = i / RATE
        fall = max(0.0, 1.0 - t / brake)
        phase_hum += 2 * math.pi * HUM * (0.3 + 0.7 * fall) / RATE
        phase_whine += 2 * math.pi * WHINE * (0.2 + 0.8 * fall) / RATE
        s = motor(phase_hum, phase_whine, fall ** 1.5)
        if t >= brake:
            tb = t - brake
            thud = math.exp(-tb * 28.0) * (0.8 * math.sin(2 * math.pi * 62.0 * tb) + 0.3 * math.sin(2 * math.pi * 131.0 * tb))
            knock = 0.5 * math.exp(-tb * 400.0) * rng.uniform(-1.0, 1.0)
            s += thud + knock
        settle = brake + 0.12
        if t >= settle:
            ts = t - settle
            s += 0.25 * math.exp(-ts * 700.0) * rng.uniform(-1.0, 1.0)
        out.append(s)
    return out


def click_sound():
    """A relay: the armature hitting its stop and one bounce 6 ms later."""
    n = int(RATE * 0.045)
    rng = random.Random(7)
    out = []
    for i in range(n):
        t = i / RATE
        s = 0.0
        for at, loud in ((0.0, 1.0), (0.006, 0.45)):
            if t >= at:
                tt = t - at
                ring = math.sin(2 * math.pi * 2600.0 * tt) * math.exp(-tt * 350.0)
                s += loud * (0.6 * ring + 0.5 * math.exp(-tt * 1500.0) * rng.uniform(-1.0, 1.0))
        out.append(s)
    return out


def normalise(samples, peak):
    top = max(abs(s) for s in samples) or 1.0
    return [s * peak / top for s in samples]


def write_wav(path, samples):
    frames = b"".join(struct.pack("<h", max(-32768, min(32767, int(round(s * 32767))))) for s in samples)
    with wave.open(path, "wb") as out:
        out.setnchannels(1)
        out.setsampwidth(2)
        out.setframerate(RATE)
        out.writeframes(frames)


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--out", default=os.path.join(REPO, "src", "resources"))
    args = parser.parse_args()
    os.makedirs(args.out, exist_ok=True)

    run = run_sound()
    start = start_sound(run)
    stop = stop_sound()
    # One scale for the three motor sounds, so the loop meets the start at the
    # same loudness.
    top = max(abs(s) for s in run + start + stop)
    scale = PEAK / top
    for name, samples in (("start.wav", start), ("run.wav", run), ("stop.wav", stop)):
        write_wav(os.path.join(args.out, name), [s * scale for s in samples])
    write_wav(os.path.join(args.out, "click.wav"), normalise(click_sound(), PEAK))


if __name__ == "__main__":
    main()
