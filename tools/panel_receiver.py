#!/usr/bin/env python3
"""A stand-in LED panel: prints the DDP pictures Rovenza sends to it.

Listens on 127.0.0.1 only (UDP, port 4048 unless told otherwise), checks each
packet's header and, at the packet that ends a picture (the push flag), prints
the picture's size and packets, and its dots as text when told the panel's
width: "#" for a dot at half its brightest level or more, "+" for a dimmer lit
dot, "." for a dark one. In Rovenza, feed a sign to host 127.0.0.1, port 4048.

    python3 tools/panel_receiver.py [--port 4048] [--width 128] [--count N]
"""
import argparse
import socket
import sys

HEADER = 10


def describe(packet):
    """The header's fields, or the reason the packet is no DDP picture data."""
    if len(packet) < HEADER:
        return None, f"{len(packet)} bytes: shorter than a header"
    flags, sequence, kind, output = packet[0], packet[1], packet[2], packet[3]
    offset = int.from_bytes(packet[4:8], "big")
    length = int.from_bytes(packet[8:10], "big")
    if flags & 0xC0 != 0x40:
        return None, f"version bits {flags >> 6}, not 1"
    if length != len(packet) - HEADER:
        return None, f"length {length} but {len(packet) - HEADER} data bytes"
    return dict(push=bool(flags & 0x01), sequence=sequence, kind=kind, output=output, offset=offset,
                data=packet[HEADER:]), None


def draw(picture, width):
    dots = len(picture) // 3
    if not width or dots % width:
        return
    top = max(picture) or 1
    for row in range(dots // width):
        line = ""
        for column in range(width):
            i = (row * width + column) * 3
            level = max(picture[i:i + 3])
            line += "#" if level * 2 >= top else ("+" if level else ".")
        print("  " + line)


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--port", type=int, default=4048)
    parser.add_argument("--width", type=int, default=0, help="the panel's width in dots, to draw the pictures")
    parser.add_argument("--count", type=int, default=0, help="stop after this many pictures (0: never)")
    options = parser.parse_args()

    receiver = socket.socket(socket.AF_INET, socket.SOCK_DGRAM)
    receiver.bind(("127.0.0.1", options.port))
    print(f"listening on 127.0.0.1:{options.port}", flush=True)
    picture = bytearray()
    packets = []
    shown = 0
    while not options.count or shown < options.count:
        packet, sender = receiver.recvfrom(65536)
        fields, problem = describe(packet)
        if problem:
            print(f"from {sender[0]}:{sender[1]}: not a DDP picture packet ({problem})", flush=True)
            continue
        end = fields["offset"] + len(fields["data"])
        if len(picture) < end:
            picture.extend(bytes(end - len(picture)))
        picture[fields["offset"]:end] = fields["data"]
        packets.append(fields["sequence"])
        if not fields["push"]:
            continue
        shown += 1
        numbers = ",".join(str(n) for n in packets)
        print(f"picture {shown}: {len(picture)} bytes ({len(picture) // 3} dots) in {len(packets)} packets "
              f"(sequence {numbers}), type 0x{fields['kind']:02X}, output {fields['output']}", flush=True)
        draw(picture, options.width)
        picture = bytearray()
        packets = []
    return 0


if __name__ == "__main__":
    sys.exit(main())
