"""Counts the clearly red and the clearly green pixels of a window dump (xwd, 32 bits per pixel) on standard input and
prints "red N green M"."""
import struct, sys

data = sys.stdin.buffer.read()
header = struct.unpack(">25I", data[:100])
width, height, order, line = header[4], header[5], header[7], header[12]
start = header[0] + header[19] * 12
red = green = 0
for y in range(height):
    row = data[start + y * line:start + y * line + width * 4]
    for x in range(0, len(row), 4):
        pixel = int.from_bytes(row[x:x + 4], "little" if order == 0 else "big")
        r, g, b = pixel >> 16 & 255, pixel >> 8 & 255, pixel & 255
        red += r > 120 and g < 60 and b < 90
        green += g > 90 and r < 60 and b < 60
print("red", red, "green", green)
