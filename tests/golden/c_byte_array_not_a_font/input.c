// lut.c

const uint8_t lut[] PROGMEM = {
  1, 2, 3, 4,
};
