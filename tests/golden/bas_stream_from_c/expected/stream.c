// stream.c
#ifndef fontdatatype
#if defined(__AVR__)
#include <avr/pgmspace.h>
#define fontdatatype const uint8_t
#else
#define fontdatatype const unsigned char
#endif
#endif
#ifndef PROGMEM
#define PROGMEM
#endif

fontdatatype Stream[19] PROGMEM={
0x0A,0x04,0x41,0x03,
0x80,0x20,0x08,0x02,0x00, //  A
0xFF,0xC0,0x00,0x00,0x01, //  B
0x12,0x34,0x56,0x78,0x9A, //  C
};
