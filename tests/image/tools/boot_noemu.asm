; A 2,048-byte no-emulation El Torito boot image. The BIOS loads all four
; 512-byte units at 0000:7C00; the code prints a marker that lies in the
; last unit to COM1 (so the marker only appears when the whole image was
; loaded) and then leaves qemu through the isa-debug-exit port: writing 16
; to port 0xF4 makes qemu exit with code 33.
        bits 16
        org 0x7C00

start:
        cli
        xor ax, ax
        mov ds, ax
        mov es, ax
        mov ss, ax
        mov sp, 0x7C00
        cld
        mov si, marker
        call serial_print
        mov al, 16
        out 0xF4, al
.halt:  hlt
        jmp .halt

; Sends the NUL-terminated text at DS:SI to COM1, waiting for the
; transmitter to be empty before each byte.
serial_print:
        mov dx, 0x3FD
.wait:  in al, dx
        test al, 0x20
        jz .wait
        lodsb
        test al, al
        jz .done
        mov dx, 0x3F8
        out dx, al
        jmp serial_print
.done:  ret

        times 1536 - ($ - $$) db 0
marker: db "TARNWICK-NOEMU-BOOT-OK", 13, 10, 0
        times 2046 - ($ - $$) db 0
        db 0x55, 0xAA
