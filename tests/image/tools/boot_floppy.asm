; A 1.44 MB floppy image for El Torito floppy emulation. Its boot sector
; reads the second and the last sector of the emulated drive A: through
; INT 13h and prints the markers found there to COM1, so the markers only
; appear when the BIOS maps the whole image with the 1.44 MB geometry
; (80 cylinders, 2 heads, 18 sectors). Then it leaves qemu through the
; isa-debug-exit port (16 to port 0xF4 gives exit code 33).
        bits 16
        org 0x7C00

start:
        cli
        xor ax, ax
        mov ds, ax
        mov es, ax
        mov ss, ax
        mov sp, 0x7C00
        sti
        cld
        mov [drive], dl

        mov si, hello
        call serial_print

        ; cylinder 0, head 0, sector 2
        mov cx, 0x0002
        mov dh, 0
        call read_and_print

        ; cylinder 79, head 1, sector 18: the last sector of 1,474,560 bytes
        mov cx, (79 << 8) | 18
        mov dh, 1
        call read_and_print

        mov al, 16
        out 0xF4, al
.halt:  hlt
        jmp .halt

; Reads one sector (CX, DH as INT 13h AH=02 wants them) of the boot drive
; to 0000:8000 and prints the text at its start; prints "READ-ERROR" when
; the BIOS refuses.
read_and_print:
        mov bx, 0x8000
        mov dl, [drive]
        mov ax, 0x0201
        int 0x13
        jc .error
        mov si, 0x8000
        jmp serial_print
.error: mov si, read_error
        jmp serial_print

; Sends the NUL-terminated text at DS:SI to COM1.
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

drive:      db 0
hello:      db "TARNWICK-FLOPPY-BOOT", 13, 10, 0
read_error: db "READ-ERROR", 13, 10, 0

        times 510 - ($ - $$) db 0
        db 0x55, 0xAA

; sector 2
        db "TARNWICK-FLOPPY-SECTOR-2", 13, 10, 0
        times 1024 - ($ - $$) db 0

        times 1474560 - 512 - ($ - $$) db 0
; the last sector
        db "TARNWICK-FLOPPY-LAST-SECTOR", 13, 10, 0
        times 1474560 - ($ - $$) db 0
