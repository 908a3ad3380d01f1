"""Prints "red N green M": the clearly red and green pixels of a window dump (xwd, 32 bits) on standard input."""
import struct, sys
data = sys.stdin.buffer.read()
header = struct.unpack(">25I", data[:100])
width, height, order, line, start = header[4], header[5], header[7], header[12], header[0] + header[19] * 12
pixels = [int.from_bytes(data[at:at + 4], "little" if order == 0 else "big") for y in range(height)
          for at in range(start + y * line, start + y * line + width * 4, 4)]
rgb = [(p >> 16 & 255, p >> 8 & 255, p & 255) for p in pixels]
print("red", sum(r > 120 and g < 60 and b < 90 for r, g, b in rgb), "green",
      sum(g > 90 and r < 60 and b < 60 for r, g, b in rgb))
