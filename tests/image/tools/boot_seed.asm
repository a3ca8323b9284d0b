; The boot code of the seeds of the new-image checks: bytes 62 to 509 of a
; FAT boot sector (the jump at byte 0 leads here). It prints a marker to
; COM1, then reads the first FAT sector (which must begin with the BPB's
; media byte and FF FF) and the disk's last sector with the geometry of its
; own BIOS parameter block and prints what it finds there,
; so a new image only passes when its BPB matches the drive the BIOS sees.
; It leaves qemu through the isa-debug-exit port (16 gives exit code 33).
        bits 16
        org 0x7C3E

bpb_total16     equ 0x7C13
bpb_media       equ 0x7C15
bpb_spt         equ 0x7C18
bpb_heads       equ 0x7C1A
bpb_total32     equ 0x7C20

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

        ; sector 2 of cylinder 0, head 0: the first FAT, media byte FF FF
        mov cx, 0x0002
        mov dh, 0
        call read_sector
        jc .done
        mov al, [bpb_media]
        cmp [0x8000], al
        jne .done
        cmp word [0x8001], 0xFFFF
        jne .done
        mov si, fat_ok
        call serial_print

        ; the last sector: logical total - 1 in CHS of the BPB's geometry
        mov ax, [bpb_total16]
        test ax, ax
        jnz .have_total
        mov ax, [bpb_total32]
.have_total:
        dec ax
        xor dx, dx
        div word [bpb_spt]          ; ax = track, dx = sector - 1
        inc dx
        mov cl, dl
        xor dx, dx
        div word [bpb_heads]        ; ax = cylinder, dx = head
        mov ch, al
        mov dh, dl
        call read_sector
        jc .done
        cmp byte [0x8000], 0xF6
        jne .done
        mov si, last_ok
        call serial_print

.done:
        mov al, 16
        out 0xF4, al
.halt:  hlt
        jmp .halt

; Reads one sector (CX, DH as INT 13h AH=02 takes them) of the boot drive
; to 0000:8000; carry set and "READ-ERROR" printed when the BIOS refuses.
read_sector:
        mov bx, 0x8000
        mov dl, [drive]
        mov ax, 0x0201
        int 0x13
        jnc .ok
        mov si, read_error
        call serial_print
        stc
.ok:    ret

; Sends the NUL-terminated text at DS:SI to COM1.
serial_print:
        mov dx, 0x3FD
.wait:  in al, dx
        test al, 0x20
        jz .wait
        lodsb
        test al, al
        jz .end
        mov dx, 0x3F8
        out dx, al
        jmp serial_print
.end:   ret

drive:      db 0
hello:      db "TARNWICK-SEED-BOOT", 13, 10, 0
fat_ok:     db "TARNWICK-SEED-FAT-MEDIA-FFFF", 13, 10, 0
last_ok:    db "TARNWICK-SEED-LAST-SECTOR-F6", 13, 10, 0
read_error: db "READ-ERROR", 13, 10, 0

        times 448 - ($ - $$) db 0
